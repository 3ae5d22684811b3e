#include "platform/ui/TCheckBox.h"

#include "platform/ui/ControlPaint.h"

namespace {
constexpr int kBox = 13;
constexpr int kGap = 4;
// The classic tick: a column of three pixels at each of these offsets from the top of the mark.
constexpr int kTickTop[7] = {2, 3, 4, 3, 2, 1, 0};
} // namespace

TCheckBox::TCheckBox(TWinControl* parent) : TButtonControl(parent) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  Invalidate();
  TButtonControl::Click();
}

void TCheckBox::Click() { SetChecked(!checked_); }

TRect TCheckBox::BoxRect() const { return Bounds(0, (Height() - kBox) / 2, kBox, kBox); }

int TCheckBox::CMDialogChar(uint32_t charCode) {
  if (!IsAccel(charCode, Caption()) || !CanFocus()) return 0;
  SetFocus();
  if (Focused()) Click();
  return 1;
}

void TCheckBox::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());

  TRect box = BoxRect();
  DrawSunkenEdge(canvas, box);
  canvas.Brush.Color = Enabled() && !Down() ? clWindow : clBtnFace;
  canvas.FillRect(box);
  if (checked_) {
    TColor mark = ColorToRGB(Enabled() ? clWindowText : clGrayText);
    int left = box.Left + 1, top = box.Top + 1;
    for (int i = 0; i < 7; ++i)
      for (int j = 0; j < 3; ++j) canvas.SetPixel(left + i, top + kTickTop[i] + j, mark);
  }

  if (Caption().empty()) return;
  canvas.Font = Font();
  TRect text{0, 0, 0, 0};
  canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
  TRect place = Bounds(kBox + kGap, (Height() - text.Height()) / 2, text.Width(), text.Height());
  if (Enabled())
    DrawPlainText(canvas, Caption(), place, DT_SINGLELINE, Font().Color());
  else
    DrawDisabledText(canvas, Caption(), place, DT_SINGLELINE);
  if (Focused())
    DrawFocusRect(canvas, {place.Left - 1, place.Top - 1, place.Right + 1, place.Bottom + 1});
}
