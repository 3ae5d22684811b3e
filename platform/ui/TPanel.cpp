#include "platform/ui/TPanel.h"

#include <algorithm>

#include "platform/ui/ControlPaint.h"

TPanel::TPanel(TWinControl* parent) : TWinControl(parent) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csSetCaption | csOpaque);
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut v) {
  if (bevel_outer_ == v) return;
  bevel_outer_ = v;
  FrameChanged();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (bevel_inner_ == v) return;
  bevel_inner_ = v;
  FrameChanged();
}

void TPanel::SetBevelWidth(int v) {
  v = std::max(v, 1);
  if (bevel_width_ == v) return;
  bevel_width_ = v;
  FrameChanged();
}

void TPanel::SetBorderWidth(int v) {
  v = std::max(v, 0);
  if (border_width_ == v) return;
  border_width_ = v;
  FrameChanged();
}

void TPanel::FrameChanged() {
  Invalidate();
  Realign();
}

TRect TPanel::AlignRect() const {
  int inset = border_width_;
  if (bevel_outer_ != bvNone) inset += bevel_width_;
  if (bevel_inner_ != bvNone) inset += bevel_width_;
  TRect r = ClientRect();
  return {r.Left + inset, r.Top + inset, std::max(r.Left + inset, r.Right - inset),
          std::max(r.Top + inset, r.Bottom - inset)};
}

void TPanel::PaintWindow(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(r);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    bool raised = cut == bvRaised;
    Frame3D(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevel_width_);
  };
  bevel(bevel_outer_);
  r = {r.Left + border_width_, r.Top + border_width_, r.Right - border_width_, r.Bottom - border_width_};
  bevel(bevel_inner_);
  if (Caption().empty()) return;
  canvas.Font = Font();
  unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (Enabled())
    DrawPlainText(canvas, Caption(), r, flags, Font().Color());
  else
    DrawDisabledText(canvas, Caption(), r, flags);
}
