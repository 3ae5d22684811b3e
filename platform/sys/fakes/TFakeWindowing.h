#pragma once
#include <vector>

#include "platform/sys/IWindowing.h"

// A scripted foreground window, pointer and work area. Activation records the window and makes
// it the foreground, unless the test has said activation fails.
class TFakeWindowing : public IWindowing {
public:
  HWND GetForegroundWindow() override { return Foreground; }
  void SetForegroundWindow(HWND window) override {
    Activated.push_back(window);
    if (ActivationWorks && window != 0) Foreground = window;
  }
  TPoint GetCursorPos() override { return Cursor; }
  TRect WorkArea() override { return Area; }

  HWND Foreground = 0;
  bool ActivationWorks = true;
  std::vector<HWND> Activated;
  TPoint Cursor{};
  TRect Area{0, 0, 1024, 768};
};
