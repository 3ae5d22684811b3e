#pragma once
#include <cstdint>
#include <string>

#include "platform/gfx/TTypes.h"

// Native windows are named by the backend with a number; 0 is no window.
using HWND = uintptr_t;

// One queued input or window message, with the Windows message numbers, so a message filter reads
// as it would on the desktop. Mouse messages carry client coordinates of the target window in
// lParam (x in the low word, y in the high word, both signed 16-bit) and the MK_ flags in wParam;
// key messages the virtual key in wParam; WM_CHAR one Unicode code point in wParam. Text
// committed by an input method arrives as one WM_CHAR per code point.
struct TMsg {
  HWND hwnd = 0;
  uint32_t message = 0;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  uint32_t time = 0;
  TPoint pt{}; // screen position of the pointer when the message was made
};

inline intptr_t MakeLParam(int x, int y) { return intptr_t((uint32_t(uint16_t(x))) | (uint32_t(uint16_t(y)) << 16)); }
inline int GetXLParam(intptr_t l) { return int16_t(l & 0xFFFF); }
inline int GetYLParam(intptr_t l) { return int16_t((l >> 16) & 0xFFFF); }

enum : uint32_t {
  WM_NULL = 0x0000, WM_DESTROY = 0x0002, WM_MOVE = 0x0003, WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008, WM_PAINT = 0x000F, WM_CLOSE = 0x0010,
  WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105,
  WM_TIMER = 0x0113, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A,
  WM_MOUSELEAVE = 0x02A3, WM_CONTEXTMENU = 0x007B, WM_USER = 0x0400,
};

// wParam of WM_SIZE.
enum : uintptr_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
// wParam of WM_ACTIVATE.
enum : uintptr_t { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

enum : uintptr_t { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8, MK_MBUTTON = 0x10 };

// The virtual keys the forms use.
enum : uint16_t {
  VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
  VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
  VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D,
  VK_DELETE = 0x2E, VK_APPS = 0x5D, VK_F1 = 0x70, VK_F10 = 0x79,
};

enum TShiftStateFlag : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64,
};
using TShiftState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
