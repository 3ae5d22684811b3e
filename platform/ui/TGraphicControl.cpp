#include "platform/ui/TGraphicControl.h"

TGraphicControl::TGraphicControl(TWinControl* parent) : TControl(parent) {}

void TGraphicControl::PaintTo(TCanvas& canvas) {
  struct TReset {
    TCanvas*& canvas;
    ~TReset() { canvas = nullptr; }
  } reset{canvas_};
  canvas_ = &canvas;
  WMPaint();
}

void TGraphicControl::WMPaint() { Paint(); }
