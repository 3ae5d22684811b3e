#pragma once
#include "platform/sys/IKeyInput.h"
#include "platform/sys/TXConnection.h"

// Key strokes as XTest events on the keycodes that the server's keyboard map gives to each
// virtual key's keysym. The scan code of a virtual key is its X keycode less 8, the numbering
// that the kernel and the X server share.
class TXTestKeyInput : public IKeyInput {
public:
  void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extra) override;
  uint32_t MapVirtualKeyA(uint32_t code, uint32_t mapType) override;

private:
  // 0 when the display is missing or the key is not on the server's keyboard.
  unsigned KeycodeOf(uint32_t vk);

  TXConnection FX;
  int FHasXTest = -1; // unknown until the display is first used
};
