#include "platform/backend/headless/THeadlessWindow.h"

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TForm.h"

THeadlessWindow::THeadlessWindow(THeadlessBackend& backend, TForm& form, HWND handle)
    : backend_(backend), form_(form), handle_(handle) {
  backend_.windows_.push_back(this);
}

THeadlessWindow::~THeadlessWindow() { backend_.WindowGone(this); }

void THeadlessWindow::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  // A window manager activates a window that is shown; a disabled one waits for its turn.
  if (visible && enabled_)
    backend_.Activate(this);
  else if (!visible)
    backend_.WindowHidden(this);
}

void THeadlessWindow::SetDecorated(bool decorated, bool resizable) {
  decorated_ = decorated;
  resizable_ = resizable;
}

void THeadlessWindow::SetFullScreen(bool fullScreen) {
  if (full_screen_ == fullScreen) return;
  full_screen_ = fullScreen;
  if (fullScreen) {
    if (!maximized_) normal_bounds_ = bounds_;
    bounds_ = backend_.ScreenRect();
    PostPlacement(SIZE_MAXIMIZED);
  } else if (!maximized_) {
    bounds_ = normal_bounds_;
    PostPlacement(SIZE_RESTORED);
  }
}

void THeadlessWindow::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  PostPlacement(SIZE_MINIMIZED);
  backend_.WindowHidden(this);
}

void THeadlessWindow::Maximize() {
  if (!maximized_ && !full_screen_) normal_bounds_ = bounds_;
  maximized_ = true;
  minimized_ = false;
  bounds_ = backend_.WorkArea();
  PostPlacement(SIZE_MAXIMIZED);
}

void THeadlessWindow::Restore() {
  if (minimized_) {
    minimized_ = false;
    PostPlacement(maximized_ || full_screen_ ? SIZE_MAXIMIZED : SIZE_RESTORED);
    if (visible_ && enabled_) backend_.Activate(this);
  } else if (maximized_) {
    maximized_ = false;
    bounds_ = normal_bounds_;
    PostPlacement(SIZE_RESTORED);
  }
}

void THeadlessWindow::Activate() {
  if (visible_ && !minimized_) backend_.Activate(this);
}

void THeadlessWindow::Present(const TRect& dirty) {
  ++present_count_;
  last_presented_ = dirty;
}

void THeadlessWindow::PostPlacement(uintptr_t sizeKind) {
  if (sizeKind != SIZE_MINIMIZED) backend_.Post(handle_, WM_MOVE, 0, MakeLParam(bounds_.Left, bounds_.Top));
  backend_.Post(handle_, WM_SIZE, sizeKind,
                sizeKind == SIZE_MINIMIZED ? 0 : MakeLParam(bounds_.Width(), bounds_.Height()));
}
