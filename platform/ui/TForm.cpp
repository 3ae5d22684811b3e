#include "platform/ui/TForm.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "platform/ui/TApplication.h"

namespace {

bool IsUnder(const TControl* c, const TControl* ancestor) {
  for (; c; c = c->Parent())
    if (c == ancestor) return true;
  return false;
}

TRect Centered(const TRect& area, int width, int height) {
  return Bounds(area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2, width, height);
}

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner, nullptr) {
  visible_ = false;
  if (Application) Application->AddForm(this);
}

TForm::~TForm() {
  destroying_ = true;
  if (Application) Application->RemoveForm(this);
  window_.reset();
}

void TForm::DoCreate() {
  Realign();
  if (OnCreate) OnCreate(this);
}

HWND TForm::Handle() const { return window_ ? window_->Handle() : 0; }

void TForm::HandleNeeded() {
  if (window_) return;
  if (!Application) throw std::logic_error("a form needs an application for its window");
  window_ = Application->Backend().CreateWindow(*this);
  window_->SetCaption(Caption());
  window_->SetDecorated(border_style_ != bsNone, border_style_ == bsSizeable || border_style_ == bsSizeToolWin);
  window_->SetBorderIcons(border_icons_);
  window_->SetStayOnTop(form_style_ == fsStayOnTop);
  window_->SetBounds(BoundsRect());
  window_->SetEnabled(window_enabled_);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if ((width != Width() || height != Height()) && !CanResize(width, height)) {
    width = Width();
    height = Height();
  }
  const TRect before = BoundsRect();
  TWinControl::SetBounds(left, top, width, height);
  if (window_ && !from_window_ && BoundsRect() != before) window_->SetBounds(BoundsRect());
}

bool TForm::CanResize(int& width, int& height) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, width, height, resize);
  return resize;
}

void TForm::SetBorderStyle(TBorderStyle s) {
  if (border_style_ == s) return;
  border_style_ = s;
  if (window_) window_->SetDecorated(s != bsNone, s == bsSizeable || s == bsSizeToolWin);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (border_icons_ == icons) return;
  border_icons_ = icons;
  if (window_) window_->SetBorderIcons(icons);
}

void TForm::SetFormStyle(TFormStyle s) {
  if (form_style_ == s) return;
  form_style_ = s;
  if (window_) window_->SetStayOnTop(s == fsStayOnTop);
}

void TForm::SetWindowState(TWindowState s) {
  if (window_state_ == s) return;
  window_state_ = s;
  if (window_ && Visible()) ApplyWindowState();
}

// A maximised form without a border covers the whole screen, as a borderless maximised window
// does on the desktop; one with a border fills the work area.
void TForm::ApplyWindowState() {
  IBackend& backend = Application->Backend();
  switch (window_state_) {
  case wsMaximized:
    // The window first, so it keeps its normal place for a later restore.
    if (border_style_ == bsNone) {
      window_->SetFullScreen(true);
      const TRect r = backend.ScreenRect();
      SetBounds(r.Left, r.Top, r.Width(), r.Height());
    } else {
      window_->Maximize();
      const TRect r = backend.WorkArea();
      SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    break;
  case wsMinimized:
    window_->Minimize();
    break;
  case wsNormal:
    window_->SetFullScreen(false);
    window_->Restore();
    break;
  }
}

void TForm::PlaceWindow() {
  IBackend& backend = Application->Backend();
  TRect area;
  switch (position_) {
  case poScreenCenter:
  case poDesktopCenter:
    area = backend.ScreenRect();
    break;
  case poMainFormCenter:
  case poOwnerFormCenter: {
    TForm* around = position_ == poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : nullptr;
    if (!around) around = Application->MainForm();
    area = around && around != this && around->Visible() ? around->BoundsRect() : backend.ScreenRect();
    break;
  }
  default:
    return;
  }
  const TRect r = Centered(area, Width(), Height());
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TForm::Show() {
  if (Visible()) {
    if (window_) window_->Activate();
    return;
  }
  SetVisible(true);
}

void TForm::Hide() { SetVisible(false); }

void TForm::CMVisibleChanged() {
  TWinControl::CMVisibleChanged();
  if (Visible()) {
    HandleNeeded();
    if (window_state_ == wsNormal) PlaceWindow();
    if (OnShow) OnShow(this);
    if (!active_control_) SelectFirst();
    // OnShow may have hidden the form again.
    if (!Visible()) return;
    window_->SetBounds(BoundsRect());
    if (window_state_ != wsNormal) ApplyWindowState();
    window_->SetVisible(true);
    InvalidateRect(ClientRect());
  } else {
    capture_ = pressed_control_ = last_press_control_ = nullptr;
    if (window_) {
      window_->SetPointerCapture(false);
      window_->SetVisible(false);
    }
    if (TControl* m = mouse_control_) {
      mouse_control_ = nullptr;
      m->CMMouseLeave();
    }
    if (OnHide) OnHide(this);
  }
}

void TForm::CMTextChanged() {
  TWinControl::CMTextChanged();
  if (window_) window_->SetCaption(Caption());
}

void TForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caMinimize) {
    SetWindowState(wsMinimized);
    return;
  }
  Hide();
  if (Application && Application->MainForm() == this) Application->Terminate();
}

// A modal result ends the loop only when the form agrees to close.
void TForm::CloseModal() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  TCloseAction action = canClose ? caHide : caNone;
  if (canClose && OnClose) OnClose(this, action);
  if (action == caNone) modal_result_ = mrNone;
}

int TForm::ShowModal() {
  if (Visible() || modal_) throw std::logic_error("a visible form cannot be shown modally");
  if (!Application) throw std::logic_error("a modal form needs an application");
  TForm* wasActive = nullptr;
  std::vector<TForm*> disabled;
  for (TForm* f : Application->Forms()) {
    if (f == this) continue;
    if (f->Active() && f->Visible()) wasActive = f;
    if (f->WindowEnabled()) {
      f->SetWindowEnabled(false);
      disabled.push_back(f);
    }
  }
  modal_ = true;
  modal_result_ = mrNone;
  Application->PushModal(this);
  auto finish = [&] {
    Application->PopModal();
    modal_ = false;
    const std::vector<TForm*>& alive = Application->Forms();
    for (TForm* f : disabled)
      if (std::find(alive.begin(), alive.end(), f) != alive.end()) f->SetWindowEnabled(true);
    Hide();
    if (wasActive && std::find(alive.begin(), alive.end(), wasActive) != alive.end() && wasActive->Visible() &&
        wasActive->Window())
      wasActive->Window()->Activate();
  };
  try {
    Show();
    while (true) {
      if (Application->Terminated()) {
        modal_result_ = mrCancel;
        break;
      }
      if (modal_result_ != mrNone) {
        CloseModal();
        if (modal_result_ != mrNone) break;
      }
      Application->HandleMessage();
    }
  } catch (...) {
    finish();
    modal_result_ = mrNone;
    throw;
  }
  finish();
  const int result = modal_result_;
  modal_result_ = mrNone;
  return result;
}

void TForm::SetWindowEnabled(bool enabled) {
  if (window_enabled_ == enabled) return;
  window_enabled_ = enabled;
  if (window_) window_->SetEnabled(enabled);
  if (!enabled) {
    // The pointer now belongs to another window: a press in progress here is over.
    if (capture_ && window_) window_->SetPointerCapture(false);
    capture_ = pressed_control_ = nullptr;
    if (TControl* m = mouse_control_) {
      mouse_control_ = nullptr;
      m->CMMouseLeave();
    }
  }
}

void TForm::SetActiveControl(TWinControl* c) {
  if (c == this) c = nullptr;
  if (c == active_control_) return;
  TWinControl* old = active_control_;
  active_control_ = c;
  if (old) {
    old->DoExit();
    old->Invalidate();
  }
  if (c && c == active_control_) {
    c->DoEnter();
    c->Invalidate();
  }
}

void TForm::SelectFirst() {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (!list.empty()) SetActiveControl(list.front());
}

void TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  auto it = std::find(list.begin(), list.end(), active_control_);
  size_t i;
  if (it == list.end())
    i = forward ? 0 : list.size() - 1;
  else
    i = (size_t(it - list.begin()) + (forward ? 1 : list.size() - 1)) % list.size();
  SetActiveControl(list[i]);
}

void TForm::ForgetControl(TControl* c, bool destroyed) {
  if (IsUnder(capture_, c)) {
    capture_ = nullptr;
    if (window_) window_->SetPointerCapture(false);
  }
  if (IsUnder(pressed_control_, c)) pressed_control_ = nullptr;
  if (IsUnder(last_press_control_, c)) last_press_control_ = nullptr;
  if (IsUnder(mouse_control_, c)) {
    TControl* m = mouse_control_;
    mouse_control_ = nullptr;
    if (!destroyed) m->CMMouseLeave();
  }
  if (IsUnder(active_control_, c)) {
    if (destroyed)
      active_control_ = nullptr;
    else
      SetActiveControl(nullptr);
  }
}

void TForm::WindowMoved(int left, int top) {
  from_window_ = true;
  TWinControl::SetBounds(left, top, Width(), Height());
  from_window_ = false;
}

void TForm::WindowResized(int width, int height) {
  if (width == Width() && height == Height()) return;
  int w = width, h = height;
  if (!CanResize(w, h)) {
    if (window_) window_->SetBounds(BoundsRect());
    return;
  }
  from_window_ = true;
  TWinControl::SetBounds(Left(), Top(), w, h);
  from_window_ = false;
  if (window_ && (w != width || h != height)) window_->SetBounds(BoundsRect());
}

void TForm::WindowStateChanged(TWindowState s) { window_state_ = s; }

void TForm::WindowActivated(bool active) {
  if (active_ == active) return;
  active_ = active;
  if (active) {
    if (OnActivate) OnActivate(this);
  } else {
    if (OnDeactivate) OnDeactivate(this);
  }
}

void TForm::WndProc(TMsg& msg) {
  switch (msg.message) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    if (window_enabled_ && Visible()) MouseMessage(msg);
    break;
  case WM_MOUSELEAVE:
    SetMouseControl(nullptr);
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
  case WM_KEYUP:
  case WM_SYSKEYUP:
  case WM_CHAR:
    if (window_enabled_ && Visible()) KeyMessage(msg);
    break;
  case WM_CLOSE:
    Close();
    break;
  case WM_MOVE:
    WindowMoved(GetXLParam(msg.lParam), GetYLParam(msg.lParam));
    break;
  case WM_SIZE:
    if (msg.wParam == SIZE_MINIMIZED) {
      WindowStateChanged(wsMinimized);
    } else {
      WindowResized(int(msg.lParam & 0xFFFF), int((msg.lParam >> 16) & 0xFFFF));
      WindowStateChanged(msg.wParam == SIZE_MAXIMIZED ? wsMaximized : wsNormal);
    }
    break;
  case WM_ACTIVATE:
    WindowActivated((msg.wParam & 0xFFFF) != WA_INACTIVE);
    break;
  default:
    break;
  }
}

void TForm::SetMouseControl(TControl* c) {
  if (c == mouse_control_) return;
  TControl* old = mouse_control_;
  mouse_control_ = c;
  if (old) old->CMMouseLeave();
  if (c && c == mouse_control_) {
    c->CMMouseEnter();
    if (window_) {
      TCursor cursor = crDefault;
      for (const TControl* p = c; p && cursor == crDefault; p = p->Parent()) cursor = p->Cursor();
      window_->SetCursor(cursor);
    }
  }
}

void TForm::InvalidateRect(const TRect& rect) {
  const TRect r = rect.Intersect(ClientRect());
  if (r.IsEmpty()) return;
  const bool wasClean = dirty_.IsEmpty();
  dirty_ = dirty_.Union(r);
  if (wasClean && window_ && Visible()) window_->RequestPaint();
}

void TForm::PaintNow() {
  if (in_paint_ || Width() <= 0 || Height() <= 0) return;
  if (back_buffer_.Width() != Width() || back_buffer_.Height() != Height()) {
    back_buffer_.SetSize(Width(), Height());
    dirty_ = ClientRect();
  }
  if (dirty_.IsEmpty()) return;
  // What is invalidated while painting (a control that changes its size in its paint) is kept
  // for the next paint.
  const TRect clip = dirty_;
  dirty_ = {};
  {
    struct TPaintFlag {
      bool& flag;
      ~TPaintFlag() { flag = false; }
    } flag{in_paint_};
    in_paint_ = true;
    TCanvas canvas(back_buffer_);
    canvas.SetOrigin({0, 0});
    canvas.SetClipRect(clip);
    canvas.Font = Font();
    PaintTo(canvas);
  }
  if (window_ && Visible()) window_->Present(clip);
}

const TBitmap& TForm::Snapshot() {
  dirty_ = ClientRect();
  PaintNow();
  return back_buffer_;
}

void TForm::PaintWindow(TCanvas& canvas) { TWinControl::PaintWindow(canvas); }

namespace {

TShiftState MouseShift(uintptr_t keys) {
  TShiftState s = 0;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  return s;
}

constexpr uint32_t kDoubleClickTime = 500;
constexpr int kDoubleClickDistance = 4;

} // namespace

void TForm::MouseMessage(TMsg& msg) {
  const TPoint p{GetXLParam(msg.lParam), GetYLParam(msg.lParam)};
  TShiftState shift = MouseShift(msg.wParam);
  if (Application) shift |= Application->KeyboardState() & ssAlt;
  TControl* hit = ClientRect().Contains(p.X, p.Y) ? ControlAtPos(p) : nullptr;
  // While a button is held on a capturing control, everything goes to it, wherever the pointer is.
  TControl* target = capture_ ? capture_ : hit;
  if (!target) {
    SetMouseControl(nullptr);
    return;
  }
  const TPoint origin = target->ClientToForm({0, 0});
  const int x = p.X - origin.X, y = p.Y - origin.Y;

  TMouseButton button = TMouseButton::mbLeft;
  bool down = false, up = false;
  switch (msg.message) {
  case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: down = true; break;
  case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: down = true; button = TMouseButton::mbRight; break;
  case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: down = true; button = TMouseButton::mbMiddle; break;
  case WM_LBUTTONUP: up = true; break;
  case WM_RBUTTONUP: up = true; button = TMouseButton::mbRight; break;
  case WM_MBUTTONUP: up = true; button = TMouseButton::mbMiddle; break;
  default: break;
  }

  if (down) {
    if (!capture_ && (target->ControlStyle() & csCaptureMouse)) {
      capture_ = target;
      if (window_) window_->SetPointerCapture(true);
    }
    if (auto* w = dynamic_cast<TWinControl*>(target); w && w != this && w->TabStop() && w->CanFocus())
      SetActiveControl(w);
    if (button == TMouseButton::mbLeft) {
      // The form tells a double click from two clicks: the second press close in time and
      // place on the same control.
      const bool isDouble = target == last_press_control_ && msg.time - last_press_time_ <= kDoubleClickTime &&
                            std::abs(p.X - last_press_pos_.X) <= kDoubleClickDistance &&
                            std::abs(p.Y - last_press_pos_.Y) <= kDoubleClickDistance;
      last_press_control_ = isDouble ? nullptr : target;
      last_press_time_ = msg.time;
      last_press_pos_ = p;
      if (isDouble && (target->ControlStyle() & csDoubleClicks)) {
        pressed_control_ = nullptr;
        target->DblClick();
        target->MouseDown(button, shift | ssDouble, x, y);
      } else {
        pressed_control_ = (target->ControlStyle() & csClickEvents) ? target : nullptr;
        target->MouseDown(button, shift, x, y);
      }
    } else {
      target->MouseDown(button, shift, x, y);
    }
  } else if (up) {
    if (capture_ && !(msg.wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
      capture_ = nullptr;
      if (window_) window_->SetPointerCapture(false);
    }
    if (button == TMouseButton::mbLeft && pressed_control_ == target) {
      pressed_control_ = nullptr;
      if (target->ClientRect().Contains(x, y)) target->Click();
    }
    target->MouseUp(button, shift, x, y);
  } else {
    target->MouseMove(shift, x, y);
  }
  // The control under the pointer is found by the hit test, capture or not, so sliding off a
  // pressed control tells it that the pointer left.
  SetMouseControl(hit);
}

void TForm::KeyMessage(TMsg& msg) {
  const TShiftState shift = Application ? Application->KeyboardState() : 0;
  TWinControl* focused = active_control_ && active_control_->CanFocus() ? active_control_ : nullptr;
  TWinControl* target = focused ? focused : this;
  switch (msg.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: {
    uint16_t key = uint16_t(msg.wParam);
    if (key_preview_ && target != this) {
      KeyDown(key, shift);
      if (!key) return;
    }
    target->KeyDown(key, shift);
    if (!key) return;
    if (!focused || !focused->WantsKey(key)) DialogKey(key, shift);
    break;
  }
  case WM_KEYUP:
  case WM_SYSKEYUP: {
    uint16_t key = uint16_t(msg.wParam);
    if (key_preview_ && target != this) {
      KeyUp(key, shift);
      if (!key) return;
    }
    target->KeyUp(key, shift);
    break;
  }
  case WM_CHAR: {
    uint32_t ch = uint32_t(msg.wParam);
    if (key_preview_ && target != this) {
      KeyPress(ch);
      if (!ch) return;
    }
    target->KeyPress(ch);
    if (!ch) return;
    // Control characters (Enter, Escape, Tab, Backspace) came as dialog keys already.
    if (ch < 0x20) return;
    if ((shift & ssAlt) || !focused || !focused->WantsChars()) CMDialogChar(ch);
    break;
  }
  default:
    break;
  }
}

bool TForm::DialogKey(uint16_t key, TShiftState shift) {
  if (shift & (ssAlt | ssCtrl)) return false;
  switch (key) {
  case VK_TAB:
    SelectNext(!(shift & ssShift));
    return true;
  case VK_RETURN:
  case VK_ESCAPE: {
    // The default (or cancel) button: the first one in the tree that can take a click.
    const bool enter = key == VK_RETURN;
    TControl* found = nullptr;
    std::function<void(TWinControl*)> walk = [&](TWinControl* w) {
      for (TControl* c : w->Controls()) {
        if (found) return;
        if (!c->Visible() || !c->Enabled()) continue;
        if (enter ? c->IsDefault() : c->IsCancel()) {
          found = c;
          return;
        }
        if (auto* child = dynamic_cast<TWinControl*>(c)) walk(child);
      }
    };
    walk(this);
    if (!found) return false;
    found->Click();
    return true;
  }
  default:
    return false;
  }
}
