#pragma once
#include "platform/ui/TButtonControl.h"

// A check box with its caption to the right. Every change of Checked, by the user (click, Space,
// accelerator) or by the program, raises OnClick.
class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TWinControl* parent);

  bool Checked() const { return checked_; }
  void SetChecked(bool v);

  void Click() override;
  int CMDialogChar(uint32_t charCode) override;

  // Where the box is drawn, in client coordinates.
  TRect BoxRect() const;

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  bool checked_ = false;
};
