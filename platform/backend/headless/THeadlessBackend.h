#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend/headless/THeadlessWindow.h"
#include "platform/ui/Backend.h"
#include "platform/ui/TControl.h"

// The backend the tests run on: windows in memory, a virtual clock that only the test moves, and
// input that the test scripts. Input goes through the application's queue, as a user's would:
// call Application->ProcessMessages() (or Advance) to have it handled.
//
// When a loop has nothing to do (a modal form waiting for its answer) the next step queued with
// OnIdle runs; without one, the clock moves on to the next timer while an Advance is in
// progress or AutoAdvance is on, and otherwise the wait throws std::logic_error, so a test that
// would hang fails instead.
class THeadlessBackend : public IBackend {
public:
  THeadlessBackend();
  ~THeadlessBackend() override;

  std::unique_ptr<IWindow> CreateWindow(TForm& form) override;
  uint64_t TickCount() override { return now_; }
  void WaitForEvents(int timeoutMs) override;
  TRect ScreenRect() override { return {0, 0, screen_width_, screen_height_}; }
  TRect WorkArea() override { return work_area_.IsEmpty() ? ScreenRect() : work_area_; }
  TPoint CursorPos() override { return cursor_; }
  void Beep() override { ++beeps_; }
  std::string ClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  void MinimizeApp() override { app_minimized_ = true; }

  // The clock: moves forward by ms, stopping at each timer that falls due on the way and
  // handling everything pending there (so a test can wait a virtual minute).
  void Advance(uint64_t ms);
  void SetAutoAdvance(bool on) { auto_advance_ = on; }

  void SetScreenSize(int width, int height) { screen_width_ = width; screen_height_ = height; }
  // Empty: the whole screen.
  void SetWorkArea(const TRect& area) { work_area_ = area; }
  void SetCursorPos(TPoint screen) { cursor_ = screen; }

  // Pointer input at a point in a control's client coordinates (a form's for a form). While a
  // button is held the window that took the press gets everything, as under a pointer grab.
  // Two clicks with no Advance between them are close enough in time to make a double click.
  void MoveTo(TControl& target, int x, int y);
  void Press(TMouseButton button = TMouseButton::mbLeft);
  void Release(TMouseButton button = TMouseButton::mbLeft);
  // Moves there, then presses and releases.
  void Click(TControl& target, int x, int y, TMouseButton button = TMouseButton::mbLeft);
  // Keys go to the active window. Key sends the key down and up (with the modifiers of shift
  // around it) and no character; Char and Type send only characters, as an input method does.
  void Key(uint16_t vk, TShiftState shift = 0);
  void KeyDown(uint16_t vk);
  void KeyUp(uint16_t vk);
  void Char(uint32_t codePoint);
  void Type(const std::string& utf8);

  void OnIdle(std::function<void()> step) { idle_steps_.push_back(std::move(step)); }
  size_t PendingIdleSteps() const { return idle_steps_.size(); }

  THeadlessWindow* WindowOf(const TForm& form) const;
  THeadlessWindow* ActiveWindow() const { return active_; }
  const std::vector<THeadlessWindow*>& Windows() const { return windows_; }
  int Beeps() const { return beeps_; }
  bool AppMinimized() const { return app_minimized_; }

private:
  friend class THeadlessWindow;
  void Post(HWND hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
  void PostMouse(uint32_t message);
  void Activate(THeadlessWindow* w);
  void WindowHidden(THeadlessWindow* w);
  void WindowGone(THeadlessWindow* w);
  THeadlessWindow* KeyTarget() const;

  uint64_t now_ = 0;
  uint64_t advance_until_ = 0;
  uint32_t input_seq_ = 0;
  bool auto_advance_ = false;
  HWND next_handle_ = 1;
  int screen_width_ = 1024, screen_height_ = 768;
  TRect work_area_;
  TPoint cursor_{};
  uintptr_t buttons_ = 0;
  TShiftState modifiers_ = 0;
  THeadlessWindow* pointer_window_ = nullptr;
  THeadlessWindow* grab_window_ = nullptr;
  THeadlessWindow* active_ = nullptr;
  std::vector<THeadlessWindow*> windows_;
  std::deque<std::function<void()>> idle_steps_;
  int beeps_ = 0;
  bool app_minimized_ = false;
  std::string clipboard_;
};
