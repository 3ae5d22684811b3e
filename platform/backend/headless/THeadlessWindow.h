#pragma once
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/TControl.h"

class THeadlessBackend;

// A form's window on the headless backend: nothing on screen, only the state a test checks.
// Showing, activating, maximising and restoring post the messages a window manager's answers
// would bring (WM_ACTIVATE, WM_MOVE, WM_SIZE).
class THeadlessWindow : public IWindow {
public:
  THeadlessWindow(THeadlessBackend& backend, TForm& form, HWND handle);
  ~THeadlessWindow() override;

  HWND Handle() const override { return handle_; }
  void SetBounds(const TRect& screenRect) override { bounds_ = screenRect; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void SetVisible(bool visible) override;
  void SetDecorated(bool decorated, bool resizable) override;
  void SetBorderIcons(unsigned icons) override { border_icons_ = icons; }
  void SetStayOnTop(bool onTop) override { stay_on_top_ = onTop; }
  void SetFullScreen(bool fullScreen) override;
  void Minimize() override;
  void Maximize() override;
  void Restore() override;
  void Activate() override;
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }
  void Present(const TRect& dirty) override;
  void RequestPaint() override { ++paint_requests_; }
  void SetPointerCapture(bool capture) override { pointer_capture_ = capture; }

  TForm& Form() const { return form_; }
  const TRect& Bounds() const { return bounds_; }
  const std::string& Caption() const { return caption_; }
  bool Visible() const { return visible_; }
  bool Decorated() const { return decorated_; }
  bool Resizable() const { return resizable_; }
  unsigned BorderIcons() const { return border_icons_; }
  bool StayOnTop() const { return stay_on_top_; }
  bool FullScreen() const { return full_screen_; }
  bool Minimized() const { return minimized_; }
  bool Maximized() const { return maximized_; }
  bool Enabled() const { return enabled_; }
  TCursor Cursor() const { return cursor_; }
  bool PointerCaptured() const { return pointer_capture_; }
  // Each Present counts; the last one's rectangle is kept.
  int PresentCount() const { return present_count_; }
  const TRect& LastPresented() const { return last_presented_; }
  int PaintRequests() const { return paint_requests_; }

private:
  void PostPlacement(uintptr_t sizeKind);
  THeadlessBackend& backend_;
  TForm& form_;
  HWND handle_;
  TRect bounds_, normal_bounds_;
  std::string caption_;
  bool visible_ = false, decorated_ = true, resizable_ = true, stay_on_top_ = false, full_screen_ = false;
  bool minimized_ = false, maximized_ = false, enabled_ = true, pointer_capture_ = false;
  unsigned border_icons_ = 0;
  TCursor cursor_ = crDefault;
  int present_count_ = 0, paint_requests_ = 0;
  TRect last_presented_;
};
