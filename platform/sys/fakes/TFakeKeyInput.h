#pragma once
#include <vector>

#include "platform/sys/IKeyInput.h"

struct TKeyEvent {
  uint8_t Vk = 0;
  uint8_t Scan = 0;
  uint32_t Flags = 0;
  uintptr_t Extra = 0;
  bool operator==(const TKeyEvent&) const = default;
};

// Records the key events; maps virtual keys to the scan codes of a Windows US keyboard.
class TFakeKeyInput : public IKeyInput {
public:
  void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extra) override {
    Events.push_back({vk, scan, flags, extra});
  }
  uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;

  std::vector<TKeyEvent> Events;
};
