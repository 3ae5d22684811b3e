#include "platform/ui/TBitBtn.h"

#include <algorithm>
#include <functional>

#include "platform/ui/ControlPaint.h"
#include "platform/ui/TForm.h"

TBitBtn::TBitBtn(TWinControl* parent) : TButtonControl(parent) { SetBounds(0, 0, 75, 25); }

void TBitBtn::SetGlyph(const TBitmap& glyph) {
  glyph_ = glyph;
  glyph_has_alpha_ = false;
  const uint32_t* bits = glyph_.Bits();
  for (int i = 0, n = glyph_.Width() * glyph_.Height(); bits && i < n && !glyph_has_alpha_; ++i)
    glyph_has_alpha_ = (bits[i] >> 24) != 0xFF;
  Invalidate();
}

void TBitBtn::SetDefault(bool v) {
  if (default_ == v) return;
  default_ = v;
  Invalidate();
}

void TBitBtn::SetSpacing(int v) {
  if (spacing_ == v) return;
  spacing_ = v;
  Invalidate();
}

void TBitBtn::Click() {
  if (TForm* form = ParentForm()) form->SetModalResult(modal_result_);
  TButtonControl::Click();
}

void TBitBtn::KeyDown(uint16_t& key, TShiftState shift) {
  TButtonControl::KeyDown(key, shift);
  if (key == VK_RETURN) {
    key = 0;
    Click();
  }
}

void TBitBtn::DoEnter() {
  InvalidateDefaultButtons();
  TButtonControl::DoEnter();
}

void TBitBtn::DoExit() {
  InvalidateDefaultButtons();
  TButtonControl::DoExit();
}

int TBitBtn::CMDialogChar(uint32_t charCode) {
  if (!IsAccel(charCode, Caption()) || !CanFocus()) return 0;
  Click();
  return 1;
}

bool TBitBtn::ShowsDefaultFrame() const {
  if (Focused()) return true;
  if (!default_) return false;
  TForm* form = ParentForm();
  return !form || !dynamic_cast<TBitBtn*>(form->ActiveControl());
}

void TBitBtn::InvalidateDefaultButtons() {
  // Focus on a button moves the default button's frame, so the default buttons repaint too.
  TForm* form = ParentForm();
  if (!form) return;
  std::function<void(TWinControl*)> walk = [&](TWinControl* w) {
    for (TControl* c : w->Controls()) {
      if (auto* b = dynamic_cast<TBitBtn*>(c); b && b->default_) b->Invalidate();
      if (auto* child = dynamic_cast<TWinControl*>(c)) walk(child);
    }
  };
  walk(form);
}

void TBitBtn::DrawGlyph(TCanvas& canvas, int x, int y) {
  TColor key = glyph_.Pixel(0, glyph_.Height() - 1);
  if (Enabled()) {
    if (glyph_has_alpha_) {
      canvas.Draw(x, y, glyph_);
    } else {
      TBrush saved = canvas.Brush;
      canvas.Brush.Style = TBrushStyle::bsClear;
      TRect all = Bounds(0, 0, glyph_.Width(), glyph_.Height());
      canvas.BrushCopy(all.Offset(x, y), glyph_, all, key);
      canvas.Brush = saved;
    }
    return;
  }
  // A disabled picture is engraved like a disabled caption: its shape in highlight, one pixel
  // down-right, under its shape in shadow.
  auto shows = [&](int px, int py) {
    if (glyph_has_alpha_) return (glyph_.Bits()[py * glyph_.Width() + px] >> 24) >= 0x80;
    return glyph_.Pixel(px, py) != key;
  };
  TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  for (int pass = 0; pass < 2; ++pass)
    for (int py = 0; py < glyph_.Height(); ++py)
      for (int px = 0; px < glyph_.Width(); ++px)
        if (shows(px, py)) canvas.SetPixel(x + px + 1 - pass, y + py + 1 - pass, pass ? dark : light);
}

void TBitBtn::PaintWindow(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(r);
  bool down = Down();
  if (ShowsDefaultFrame()) FrameRect(canvas, r, clWindowFrame);
  if (down)
    FrameRect(canvas, r, clBtnShadow);
  else
    DrawRaisedEdge(canvas, r);

  canvas.Font = Font();
  TRect text{0, 0, 0, 0};
  if (!Caption().empty()) canvas.DrawText(Caption(), text, DT_SINGLELINE | DT_CALCRECT);
  int gw = glyph_.Empty() ? 0 : glyph_.Width();
  int gap = gw > 0 && text.Width() > 0 ? spacing_ : 0;
  int shift = down ? 1 : 0;
  int x = (Width() - (gw + gap + text.Width())) / 2 + shift;
  if (gw > 0) DrawGlyph(canvas, x, (Height() - glyph_.Height()) / 2 + shift);
  if (text.Width() > 0) {
    TRect place = Bounds(x + gw + gap, (Height() - text.Height()) / 2 + shift, text.Width(), text.Height());
    if (Enabled())
      DrawPlainText(canvas, Caption(), place, DT_SINGLELINE, Font().Color());
    else
      DrawDisabledText(canvas, Caption(), place, DT_SINGLELINE);
  }
  if (Focused()) {
    TRect all = ClientRect();
    DrawFocusRect(canvas, {all.Left + 4, all.Top + 4, all.Right - 4, all.Bottom - 4});
  }
}
