#include "platform/ui/TLabel.h"

#include "platform/ui/ControlPaint.h"

TLabel::TLabel(TWinControl* parent) : TGraphicControl(parent) {
  SetControlStyle(ControlStyle() | csOpaque | csDoubleClicks);
  SetBounds(0, 0, 65, 17);
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment v) {
  if (alignment_ == v) return;
  alignment_ = v;
  Invalidate();
}

void TLabel::SetAutoSize(bool v) {
  if (auto_size_ == v) return;
  auto_size_ = v;
  AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  SetControlStyle(v ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TLabel::SetShowAccelChar(bool v) {
  if (show_accel_char_ == v) return;
  show_accel_char_ = v;
  Invalidate();
  AdjustBounds();
}

void TLabel::CMTextChanged() {
  Invalidate();
  AdjustBounds();
}

void TLabel::CMFontChanged() {
  Invalidate();
  AdjustBounds();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

unsigned TLabel::TextFlags() const {
  unsigned flags = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || (ComponentState() & csLoading)) return;
  // An empty caption still takes the height of a line, so that a label that is filled in later
  // (a clock) does not change its height.
  std::string text = Caption();
  if (text.empty() || (show_accel_char_ && text == "&")) text += ' ';
  TRect r{0, 0, 0, 0};
  MeasureCanvas(Font()).DrawText(text, r, TextFlags() | DT_CALCRECT);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.Width();
  if (r.Width() == Width() && r.Height() == Height() && left == Left()) return;
  Invalidate();
  SetBounds(left, Top(), r.Width(), r.Height());
  Invalidate();
}

void TLabel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = ClientRect();
  if (!transparent_) {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(r);
  }
  if (Caption().empty()) return;
  canvas.Font = Font();
  if (Enabled())
    DrawPlainText(canvas, Caption(), r, TextFlags(), Font().Color());
  else
    DrawDisabledText(canvas, Caption(), r, TextFlags());
}
