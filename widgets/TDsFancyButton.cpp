#include "widgets/TDsFancyButton.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds to the nearest integer with halves to even (the default floating-point rounding mode).
int RoundEven(double v) { return int(std::nearbyint(v)); }

TColor Blend(TColor frame, TColor face, double f) {
  auto channel = [f](int from, int to) { return uint8_t(from + RoundEven((to - from) * f)); };
  return RGB(channel(GetRValue(frame), GetRValue(face)), channel(GetGValue(frame), GetGValue(face)),
             channel(GetBValue(frame), GetBValue(face)));
}

// p per cent of the frame colour in the face colour.
TColor Mix(TColor face, TColor frame, int p) {
  auto channel = [p](int fc, int fr) { return uint8_t(RoundEven(((100 - p) * fc + p * fr) * 0.01)); };
  return RGB(channel(GetRValue(face), GetRValue(frame)), channel(GetGValue(face), GetGValue(frame)),
             channel(GetBValue(face), GetBValue(frame)));
}

void FillSolid(TCanvas& canvas, const TRegion& region, TColor color) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = color;
  canvas.FillRgn(region);
}

} // namespace

TDsFancyButton::TDsFancyButton(TWinControl* parent) : TGraphicControl(parent) {
  // No csDoubleClicks: a quick second touch must arrive as a second press, and so a second click.
  SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption);
  SetEnabled(true);

  effect_ = std::make_unique<TDsEffect>();
  effect_->OnEffectChange = [this](TObject* sender) { UpdateChanges(sender); };
  glyph_ = std::make_unique<TDsGlyph>();
  glyph_->OnGlyphChange = [this](TObject* sender) { UpdateChanges(sender); };

  cell_width_ = 0;
  draw_state_ = dsNormal;
  pressed_ = false;

  SetHeight(25);
  SetVisible(true);
  SetWidth(97);
}

TDsFancyButton::~TDsFancyButton() = default;

void TDsFancyButton::UpdateChanges(TObject* Sender) {
  (void)Sender;
  if (!IsLoading()) Invalidate();
}

int TDsFancyButton::CornerDiameter() const {
  return effect_->Shape() == btnCapsule ? std::min(Width(), Height()) : 2 * effect_->CornerRadius();
}

bool TDsFancyButton::IsInRegion(int X, int Y) const {
  const int w = Width(), h = Height();
  if (effect_->Shape() == btnOval) return TRegion::Ellipse(0, 0, w, h).Contains(X, Y);
  const int d = CornerDiameter();
  return TRegion::RoundRect(0, 0, w, h, d, d).Contains(X, Y);
}

// ---- Painting ----

void TDsFancyButton::WMPaint() {
  TGraphicControl::WMPaint();
  if (Width() > MaxSize) SetWidth(MaxSize);
  if (Height() > MaxSize) SetHeight(MaxSize);
}

void TDsFancyButton::Paint() {
  TCanvas& canvas = *Canvas();
  cell_width_ = glyph_->Glyph().Width() / glyph_->Number();
  canvas.Font = Font();
  canvas.Brush.Style = TBrushStyle::bsClear;

  if (effect_->FrameStyle() == fmNone)
    DrawButtonArea();
  else if (pressed_)
    DrawShapePressed();
  else
    DrawShape();

  LayoutSetting();
  if (cell_width_ > 0) DrawGlyph();
  WriteCaption();
}

void TDsFancyButton::DrawButtonArea() {
  if (!(ComponentState() & csDesigning)) return;
  TCanvas& canvas = *Canvas();
  canvas.Pen.Color = clGray;
  canvas.Pen.Style = TPenStyle::psDot;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = TBrushStyle::bsClear;
  const TRect area = ClientRect();
  if (effect_->Shape() == btnOval) {
    canvas.Ellipse(area);
  } else {
    const int d = CornerDiameter();
    canvas.RoundRect(area, d, d);
  }
}

void TDsFancyButton::DrawShape() {
  TCanvas& canvas = *Canvas();
  const TColor face = ColorToRGB(effect_->FaceColor());
  const TColor frame = ColorToRGB(effect_->FrameColor());
  const int fw = effect_->FrameWidth();
  const int w = Width(), h = Height();
  const int d = CornerDiameter();

  // Each ring is inset by one more pixel and overdraws the inside of the one before, so the
  // colour climbs a quarter circle from the frame colour toward the face colour.
  for (int i = 0; i < fw; ++i) {
    const double f = std::sqrt(double(fw * fw - (fw - i) * (fw - i))) / fw;
    TRegion ring;
    if (effect_->Shape() == btnOval)
      ring = TRegion::Ellipse(i, i, w - i, h - i);
    else if (d - 2 * i > 0)
      ring = TRegion::RoundRect(i, i, w - i, h - i, d - 2 * i, d - 2 * i);
    else
      ring = TRegion::Rect(i, i, w - i, h - i);
    FillSolid(canvas, ring, Blend(frame, face, f));
  }
}

void TDsFancyButton::DrawShapePressed() {
  TCanvas& canvas = *Canvas();
  const TColor face = ColorToRGB(effect_->FaceColor());
  const TColor frame = ColorToRGB(effect_->FrameColor());
  const int w = Width(), h = Height();
  const int d = CornerDiameter();

  // Curved and straight shapes take the same bounds, so that the last shift ends at the button's
  // right and bottom edges.
  TRegion shape;
  if (effect_->Shape() == btnOval)
    shape = TRegion::Ellipse(1, 1, w - 3, h - 3);
  else if (d > 0)
    shape = TRegion::RoundRect(1, 1, w - 3, h - 3, d - 2, d - 2);
  else
    shape = TRegion::Rect(1, 1, w - 3, h - 3);

  // A dark edge at the top left, a light one at the bottom right, and the face sunk between them.
  FillSolid(canvas, shape, clBlack);
  shape.Offset(1, 1);
  FillSolid(canvas, shape, Mix(face, frame, 40));
  shape.Offset(2, 2);
  FillSolid(canvas, shape, ColorToRGB(clBtnHighlight));
  shape.Offset(-1, -1);
  FillSolid(canvas, shape, Mix(face, frame, 15));
}

void TDsFancyButton::LayoutSetting() {
  const TBitmap& strip = glyph_->Glyph();
  const int cw = cell_width_, gh = strip.Height();
  const int d = glyph_->Distance();
  const int w = Width(), h = Height();
  const TSize text = Caption().empty() ? TSize{} : Canvas()->TextExtent(Caption());
  const int tw = text.cx, th = text.cy;
  text_width_ = tw;
  text_height_ = th;

  // The picture and the caption side by side (or one above the other), centred together.
  const int spareX = cw + d + tw < w ? (w - cw - d - tw) / 2 : 0;
  const int spareY = gh + d + th < h ? (h - gh - d - th) / 2 : 0;
  const int centredLeft = w > cw ? (w - cw) / 2 : 0;
  const int centredTop = h > gh ? (h - gh) / 2 : 0;

  switch (glyph_->Layout()) {
  case lyLeft:
    glyph_left_ = spareX;
    glyph_top_ = centredTop;
    text_left_ = glyph_left_ + cw + d;
    text_top_ = (h - th) / 2;
    break;
  case lyRight:
    glyph_left_ = w - spareX - cw;
    glyph_top_ = centredTop;
    text_left_ = glyph_left_ - tw - d;
    text_top_ = (h - th) / 2;
    break;
  case lyTop:
    glyph_left_ = centredLeft;
    glyph_top_ = spareY;
    text_left_ = (w - tw) / 2;
    text_top_ = gh + glyph_top_ + d;
    break;
  case lyBottom:
    glyph_left_ = centredLeft;
    glyph_top_ = h - spareY - gh;
    text_left_ = (w - tw) / 2;
    text_top_ = glyph_top_ - d - th;
    break;
  case lyCenter:
    glyph_left_ = centredLeft;
    glyph_top_ = centredTop;
    text_left_ = (w - tw) / 2;
    text_top_ = (h - th) / 2;
    break;
  }
}

void TDsFancyButton::DrawGlyph() {
  const TBitmap& strip = glyph_->Glyph();
  if (strip.Empty()) return;
  // A strip with fewer cells than the state needs shows its first cell.
  if (glyph_->Number() < draw_state_) draw_state_ = dsNormal;
  const int index = draw_state_ - 1;
  const int shift = pressed_ ? 1 : 0;
  const TRect dest = Bounds(glyph_left_ + shift, glyph_top_ + shift, cell_width_, strip.Height());
  const TRect source = Bounds(index * cell_width_, 0, cell_width_, strip.Height());
  key_color_ = strip.Pixel(0, strip.Height() - 1);
  Canvas()->BrushCopy(dest, strip, source, key_color_);
}

void TDsFancyButton::WriteCaption() {
  if (Caption().empty()) return;
  TCanvas& canvas = *Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  const TRect area = Bounds(text_left_, text_top_, text_width_, text_height_);
  const unsigned flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  auto pass = [&](TColor color, int offset) {
    TRect r = area.Offset(offset, offset);
    canvas.Font.SetColor(ColorToRGB(color));
    canvas.DrawText(Caption(), r, flags);
  };

  const TTextStyle style = effect_->TextStyle();
  switch (style) {
  case txNone: break;
  case txLowered: pass(clBtnHighlight, pressed_ ? 2 : 1); break;
  case txRaised: pass(clBtnHighlight, pressed_ ? 0 : -1); break;
  case txShadowed: pass(clBtnShadow, pressed_ ? 3 : 2); break;
  }

  TColor color = mouse_in_region_ && !pressed_ ? effect_->HoverColor() : Font().Color();
  if (!Enabled()) color = style == txShadowed ? clBtnFace : clBtnShadow;
  pass(color, pressed_ ? 1 : 0);
}

// ---- Pointer and notifications ----

void TDsFancyButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbRight) return;
  if (mouse_in_region_) {
    pressed_ = true;
    draw_state_ = dsPressed;
    Invalidate();
  }
}

void TDsFancyButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (pressed_) return;
  mouse_in_region_ = IsInRegion(x, y);
  const int state = mouse_in_region_ ? dsHover : dsNormal;
  if (draw_state_ != state) {
    draw_state_ = state;
    Invalidate();
  }
}

void TDsFancyButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbRight) return;
  // Under capture a release can arrive from outside the rectangle; it never clicks.
  if (!mouse_in_region_ || !ClientRect().Contains(x, y)) return;
  // The press ends even when the OnClick handler throws; the pressed picture stays on show.
  struct EndPress {
    TDsFancyButton* self;
    ~EndPress() {
      self->pressed_ = false;
      self->Invalidate();
    }
  } endPress{this};
  TGraphicControl::Click();
}

void TDsFancyButton::Click() { Invalidate(); }

void TDsFancyButton::CMMouseLeave() {
  TGraphicControl::CMMouseLeave();
  draw_state_ = Enabled() ? dsNormal : dsDisabled;
  mouse_in_region_ = false;
  pressed_ = false;
  Invalidate();
}

void TDsFancyButton::CMEnabledChanged() {
  TGraphicControl::CMEnabledChanged();
  draw_state_ = Enabled() ? dsNormal : dsDisabled;
  // A disabled button gets no pointer input, so it cannot keep a press or hover it would never
  // see end; it starts again from the next move once enabled.
  if (!Enabled()) {
    pressed_ = false;
    mouse_in_region_ = false;
  }
  Invalidate();
}

void TDsFancyButton::CMTextChanged() {
  TGraphicControl::CMTextChanged();
  Invalidate();
}

int TDsFancyButton::CMDialogChar(uint32_t charCode) {
  // A hidden button takes no accelerator either: hiding a button is how a form withholds it.
  if (Enabled() && Showing() && IsAccel(charCode, Caption())) {
    TGraphicControl::Click();
    return 1;
  }
  return TGraphicControl::CMDialogChar(charCode);
}
