#pragma once
#include <cstdint>
#include <span>

enum : uint8_t {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
  VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
  VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
  VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F12 = 0x7B, VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
  VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE,
  VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
  VK_OEM_102 = 0xE2
};

// What a virtual key means on a US keyboard: the X keysym of its unshifted key, and the scan code
// (PC set 1, without the E0 prefix) that Windows reports for it.
struct TVirtualKey {
  uint8_t Vk;
  uint32_t KeySym;
  uint8_t PcScan;
};

// Every virtual key we can send, letters and digits included. A scan code shared by two keys
// (an arrow and its number-pad twin) belongs first to the one listed first.
std::span<const TVirtualKey> VirtualKeys();
const TVirtualKey* FindVirtualKey(uint32_t vk);
const TVirtualKey* FindVirtualKeyBySym(uint32_t keysym);
