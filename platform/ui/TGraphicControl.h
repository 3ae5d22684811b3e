#pragma once
#include "platform/ui/TControl.h"

// A windowless control: painted by its form onto the form's surface, in z-order, letting the
// parent show through where it paints nothing.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TWinControl* parent);

  // Valid only while the control paints.
  TCanvas* Canvas() const { return canvas_; }

  void PaintTo(TCanvas& canvas) final;

protected:
  // The paint message: the base calls Paint. A control may wrap it.
  virtual void WMPaint();
  virtual void Paint() {}

private:
  TCanvas* canvas_ = nullptr;
};
