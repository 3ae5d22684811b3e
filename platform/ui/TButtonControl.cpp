#include "platform/ui/TButtonControl.h"

TButtonControl::TButtonControl(TWinControl* parent) : TWinControl(parent) { SetTabStop(true); }

void TButtonControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    mouse_down_ = mouse_inside_ = true;
    Invalidate();
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TButtonControl::MouseMove(TShiftState shift, int x, int y) {
  if (mouse_down_ && HitTest(x, y) != mouse_inside_) {
    mouse_inside_ = !mouse_inside_;
    Invalidate();
  }
  TWinControl::MouseMove(shift, x, y);
}

void TButtonControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && mouse_down_) {
    mouse_down_ = false;
    Invalidate();
  }
  TWinControl::MouseUp(button, shift, x, y);
}

void TButtonControl::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == VK_SPACE && !key_down_) {
    key_down_ = true;
    Invalidate();
  }
}

void TButtonControl::KeyUp(uint16_t& key, TShiftState shift) {
  TWinControl::KeyUp(key, shift);
  if (key == VK_SPACE && key_down_) {
    key_down_ = false;
    Invalidate();
    Click();
  }
}

void TButtonControl::DoEnter() {
  Invalidate();
  TWinControl::DoEnter();
}

void TButtonControl::DoExit() {
  // The release of Space goes to the new focus, so a press held while the focus leaves would
  // otherwise stay drawn pushed in and act on some later release.
  key_down_ = false;
  Invalidate();
  TWinControl::DoExit();
}
