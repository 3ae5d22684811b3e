#pragma once
#include "platform/ui/TWinControl.h"

// A check box with its caption to the right. Every change of Checked, by the user (click, Space,
// accelerator) or by the program, raises OnClick.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TWinControl* parent);

  bool Checked() const { return checked_; }
  void SetChecked(bool v);

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  int CMDialogChar(uint32_t charCode) override;

  // Where the box is drawn, in client coordinates.
  TRect BoxRect() const;

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  bool checked_ = false;
  bool mouse_down_ = false, mouse_inside_ = false, key_down_ = false;
};
