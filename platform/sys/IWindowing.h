#pragma once
#include "platform/sys/SysTypes.h"

// The foreground window, the pointer and the desktop's work area.
class IWindowing {
public:
  virtual ~IWindowing() = default;
  // The top-level window that has the keyboard, or 0 when none has.
  virtual HWND GetForegroundWindow() = 0;
  // Gives the window the keyboard; a window that is gone or hidden is silently not activated.
  virtual void SetForegroundWindow(HWND window) = 0;
  // The pointer in screen pixels.
  virtual TPoint GetCursorPos() = 0;
  // The part of the screen that panels and docks leave to windows.
  virtual TRect WorkArea() = 0;
};
