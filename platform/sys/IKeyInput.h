#pragma once
#include <cstdint>

enum : uint32_t { KEYEVENTF_EXTENDEDKEY = 0x0001, KEYEVENTF_KEYUP = 0x0002 };
enum : uint32_t { MAPVK_VK_TO_VSC = 0, MAPVK_VSC_TO_VK = 1, MAPVK_VSC_TO_VK_EX = 3 };

// Synthetic key strokes into the input stream, with the Windows virtual-key codes.
class IKeyInput {
public:
  virtual ~IKeyInput() = default;
  // Presses the key of vk, or releases it with KEYEVENTF_KEYUP. The scan code and the extra word
  // travel along on Windows only; the extended-key flag has no meaning here.
  virtual void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extra) = 0;
  // MAPVK_VK_TO_VSC: the scan code of a virtual key; MAPVK_VSC_TO_VK (and _EX): back again.
  // 0 when there is no such key.
  virtual uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) = 0;
};
