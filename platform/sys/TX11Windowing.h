#pragma once
#include "platform/sys/IWindowing.h"
#include "platform/sys/TXConnection.h"

// Foreground and work area from a window manager's EWMH properties where one runs and keeps them,
// else from the X input focus and the screen.
class TX11Windowing : public IWindowing {
public:
  HWND GetForegroundWindow() override;
  void SetForegroundWindow(HWND window) override;
  TPoint GetCursorPos() override;
  TRect WorkArea() override;

private:
  // Whether a window manager runs that announces the active window.
  bool ManagerKeepsActiveWindow(Display* display);
  // Whether a window manager runs at all.
  bool ManagerRuns();

  TXConnection FX;
};
