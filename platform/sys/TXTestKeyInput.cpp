#include "platform/sys/TXTestKeyInput.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "platform/sys/VirtualKeys.h"

namespace {
constexpr unsigned kScanOffset = 8;
}

unsigned TXTestKeyInput::KeycodeOf(uint32_t vk) {
  const TVirtualKey* key = FindVirtualKey(vk);
  Display* display = key ? FX.Get() : nullptr;
  return display ? XKeysymToKeycode(display, key->KeySym) : 0;
}

void TXTestKeyInput::keybd_event(uint8_t vk, uint8_t /*scan*/, uint32_t flags, uintptr_t /*extra*/) {
  unsigned keycode = KeycodeOf(vk);
  if (keycode == 0) return;
  Display* display = FX.Get();
  // A server without the extension would answer the request with an error that ends the program.
  if (FHasXTest < 0) {
    int event = 0, error = 0, major = 0, minor = 0;
    FHasXTest = XTestQueryExtension(display, &event, &error, &major, &minor) ? 1 : 0;
  }
  if (!FHasXTest) return;
  XTestFakeKeyEvent(display, keycode, (flags & KEYEVENTF_KEYUP) ? False : True, CurrentTime);
  XFlush(display);
}

uint32_t TXTestKeyInput::MapVirtualKeyA(uint32_t code, uint32_t mapType) {
  if (mapType == MAPVK_VK_TO_VSC) {
    unsigned keycode = KeycodeOf(code);
    return keycode >= kScanOffset ? keycode - kScanOffset : 0;
  }
  if (mapType != MAPVK_VSC_TO_VK && mapType != MAPVK_VSC_TO_VK_EX) return 0;
  Display* display = FX.Get();
  if (!display) return 0;
  int minKeycode = 0, maxKeycode = 0;
  XDisplayKeycodes(display, &minKeycode, &maxKeycode);
  unsigned keycode = code + kScanOffset;
  if (keycode < unsigned(minKeycode) || keycode > unsigned(maxKeycode)) return 0;
  // The first keysym of the key that names a virtual key decides, so the number-pad keys, whose
  // digits lie on the second level, map back to the number-pad codes.
  for (int level = 0; level < 4; ++level) {
    KeySym sym = XkbKeycodeToKeysym(display, KeyCode(keycode), 0, level);
    if (sym == NoSymbol) continue;
    if (const TVirtualKey* key = FindVirtualKeyBySym(uint32_t(sym))) return key->Vk;
  }
  return 0;
}
