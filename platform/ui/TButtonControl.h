#pragma once
#include "platform/ui/TWinControl.h"

// The common part of push buttons and check boxes: a press held by the left mouse button or by
// Space. The control is drawn pushed in while the pointer holding it stays over it, or while Space
// is held; releasing Space acts through Click, and the form raises Click for a mouse release over
// the control. Each kind gives Click its own meaning (a button clicks, a check box toggles).
class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TWinControl* parent);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

  // Whether the control is drawn pushed in (held by the pointer or by Space).
  bool Down() const { return (mouse_down_ && mouse_inside_) || key_down_; }

private:
  bool mouse_down_ = false, mouse_inside_ = false, key_down_ = false;
};
