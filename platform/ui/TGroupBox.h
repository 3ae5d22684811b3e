#pragma once
#include "platform/ui/TWinControl.h"

// A container framed by an etched line, with its caption set into the top of the frame.
class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TWinControl* parent);

  void CMFontChanged() override;

protected:
  void PaintWindow(TCanvas& canvas) override;
  TRect AlignRect() const override;
};
