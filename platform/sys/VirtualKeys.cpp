#include "platform/sys/VirtualKeys.h"

#include <X11/keysym.h>
#include <array>

namespace {

constexpr auto kKeys = [] {
  std::array<TVirtualKey, 101> t{};
  size_t n = 0;
  auto add = [&](uint8_t vk, uint32_t sym, uint8_t scan) { t[n++] = {vk, sym, scan}; };
  add(VK_BACK, XK_BackSpace, 0x0E);
  add(VK_TAB, XK_Tab, 0x0F);
  add(VK_RETURN, XK_Return, 0x1C);
  add(VK_SHIFT, XK_Shift_L, 0x2A);
  add(VK_CONTROL, XK_Control_L, 0x1D);
  add(VK_MENU, XK_Alt_L, 0x38);
  add(VK_PAUSE, XK_Pause, 0x45);
  add(VK_CAPITAL, XK_Caps_Lock, 0x3A);
  add(VK_ESCAPE, XK_Escape, 0x01);
  add(VK_SPACE, XK_space, 0x39);
  add(VK_PRIOR, XK_Prior, 0x49);
  add(VK_NEXT, XK_Next, 0x51);
  add(VK_END, XK_End, 0x4F);
  add(VK_HOME, XK_Home, 0x47);
  add(VK_LEFT, XK_Left, 0x4B);
  add(VK_UP, XK_Up, 0x48);
  add(VK_RIGHT, XK_Right, 0x4D);
  add(VK_DOWN, XK_Down, 0x50);
  add(VK_SNAPSHOT, XK_Print, 0x54);
  add(VK_INSERT, XK_Insert, 0x52);
  add(VK_DELETE, XK_Delete, 0x53);
  constexpr uint8_t digitScan[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
  for (int i = 0; i < 10; ++i) add(uint8_t('0' + i), XK_0 + i, digitScan[i]);
  constexpr uint8_t letterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                      0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                      0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  for (int i = 0; i < 26; ++i) add(uint8_t('A' + i), XK_a + i, letterScan[i]);
  add(VK_LWIN, XK_Super_L, 0x5B);
  add(VK_RWIN, XK_Super_R, 0x5C);
  add(VK_APPS, XK_Menu, 0x5D);
  add(VK_OEM_1, XK_semicolon, 0x27);
  add(VK_OEM_PLUS, XK_equal, 0x0D);
  add(VK_OEM_COMMA, XK_comma, 0x33);
  add(VK_OEM_MINUS, XK_minus, 0x0C);
  add(VK_OEM_PERIOD, XK_period, 0x34);
  add(VK_OEM_2, XK_slash, 0x35);
  add(VK_OEM_3, XK_grave, 0x29);
  add(VK_OEM_4, XK_bracketleft, 0x1A);
  add(VK_OEM_5, XK_backslash, 0x2B);
  add(VK_OEM_6, XK_bracketright, 0x1B);
  add(VK_OEM_7, XK_apostrophe, 0x28);
  add(VK_OEM_102, XK_less, 0x56);
  constexpr uint8_t padScan[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
  for (int i = 0; i < 10; ++i) add(uint8_t(VK_NUMPAD0 + i), XK_KP_0 + i, padScan[i]);
  add(VK_MULTIPLY, XK_KP_Multiply, 0x37);
  add(VK_ADD, XK_KP_Add, 0x4E);
  add(VK_SUBTRACT, XK_KP_Subtract, 0x4A);
  add(VK_DECIMAL, XK_KP_Decimal, 0x53);
  add(VK_DIVIDE, XK_KP_Divide, 0x35);
  constexpr uint8_t fScan[12] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58};
  for (int i = 0; i < 12; ++i) add(uint8_t(VK_F1 + i), XK_F1 + i, fScan[i]);
  add(VK_NUMLOCK, XK_Num_Lock, 0x45);
  add(VK_SCROLL, XK_Scroll_Lock, 0x46);
  if (n != t.size()) throw "table size";
  return t;
}();

} // namespace

std::span<const TVirtualKey> VirtualKeys() { return kKeys; }

const TVirtualKey* FindVirtualKey(uint32_t vk) {
  for (const TVirtualKey& k : kKeys)
    if (k.Vk == vk) return &k;
  return nullptr;
}

const TVirtualKey* FindVirtualKeyBySym(uint32_t keysym) {
  for (const TVirtualKey& k : kKeys)
    if (k.KeySym == keysym) return &k;
  return nullptr;
}
