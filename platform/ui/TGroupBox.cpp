#include "platform/ui/TGroupBox.h"

#include "platform/ui/ControlPaint.h"

namespace {
constexpr int kCaptionLeft = 8;
} // namespace

TGroupBox::TGroupBox(TWinControl* parent) : TWinControl(parent) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csSetCaption | csOpaque);
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::CMFontChanged() {
  Invalidate();
  Realign();
}

TRect TGroupBox::AlignRect() const {
  int top = MeasureCanvas(Font()).TextHeight("0");
  TRect r = ClientRect();
  return {r.Left + 2, r.Top + top + 2, r.Right - 2, r.Bottom - 2};
}

void TGroupBox::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  canvas.Font = Font();
  int textHeight = canvas.TextHeight("0");

  // The etched line: a sunken ring with a raised ring inside it.
  TRect frame{0, textHeight / 2, Width(), Height()};
  Frame3D(canvas, frame, clBtnShadow, clBtnHighlight);
  Frame3D(canvas, frame, clBtnHighlight, clBtnShadow);

  if (Caption().empty()) return;
  TRect text{0, 0, 0, 0};
  canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
  TRect place = Bounds(kCaptionLeft, 0, text.Width() + 2, textHeight);
  canvas.Brush.Color = Color();
  canvas.FillRect(place);
  place = place.Offset(1, 0);
  if (Enabled())
    DrawPlainText(canvas, Caption(), place, DT_SINGLELINE, Font().Color());
  else
    DrawDisabledText(canvas, Caption(), place, DT_SINGLELINE);
}
