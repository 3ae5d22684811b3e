#pragma once
#include <ostream>
#include <vector>

#include "platform/sys/IKeyInput.h"

// One keybd_event call as the fake received it.
struct TKeyStroke {
  uint8_t Vk = 0;
  uint8_t Scan = 0;
  uint32_t Flags = 0;
  uintptr_t Extra = 0;
  bool operator==(const TKeyStroke&) const = default;
  // Printed as "vk scan flags extra" in hexadecimal, as key codes are written, when a test's
  // comparison fails.
  friend std::ostream& operator<<(std::ostream& out, const TKeyStroke& k) {
    const auto flags = out.flags();
    out << std::hex << std::uppercase << unsigned(k.Vk) << ' ' << unsigned(k.Scan) << ' ' << k.Flags << ' ' << k.Extra;
    out.flags(flags);
    return out;
  }
};

// Records the key events; maps virtual keys to the scan codes of a Windows US keyboard.
class TFakeKeyInput : public IKeyInput {
public:
  void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extra) override {
    Events.push_back({vk, scan, flags, extra});
  }
  uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;

  std::vector<TKeyStroke> Events;
};
