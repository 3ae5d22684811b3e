#include <string>

#include "tests/widgets/FancyFixture.h"

#ifndef FANCY_SHEET_PATH
#define FANCY_SHEET_PATH "fancy-sheet.png"
#endif

namespace {

enum class State { Normal, Hover, Pressed, Disabled };
constexpr State kStates[] = {State::Normal, State::Hover, State::Pressed, State::Disabled};
constexpr int kCellW = 96, kCellH = 58;

// A four-cell strip of rounded faces on the key colour, as the programs' strips are drawn.
TBitmap FaceStrip(int w, int h, TColor normal, TColor pressed, TColor hover) {
  TBitmap strip(4 * w, h);
  TCanvas canvas(strip);
  canvas.Brush.Color = kMagenta;
  canvas.FillRect({0, 0, 4 * w, h});
  const TColor faces[] = {normal, normal, pressed, hover};
  for (int k = 0; k < 4; ++k) {
    canvas.Brush.Color = faces[k];
    canvas.FillRgn(TRegion::RoundRect(k * w + 2, 2, k * w + w - 2, h - 2, 12, 12));
    canvas.Brush.Color = k == 3 ? clBlue : clWhite;
    canvas.FillRgn(TRegion::Ellipse(k * w + 8, h / 2 - 8, k * w + 24, h / 2 + 8));
  }
  return strip;
}

} // namespace

class FancySheetTest : public FancyTest {
protected:
  FancySheetTest() {
    form.SetColor(clBtnFace);
    btn.SetBounds(8, 8, 80, 42);
    sheet.SetSize(8 * kCellW, 13 * kCellH);
    TCanvas canvas(sheet);
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, sheet.Width(), sheet.Height()});
  }

  void Shoot(int column, int row, State state) {
    MoveAway();
    if (state == State::Hover || state == State::Pressed) Move(40, 21);
    if (state == State::Pressed) Down();
    if (state == State::Disabled) btn.SetEnabled(false);
    const TBitmap& shot = form.Snapshot();
    for (int y = 0; y < kCellH; ++y)
      for (int x = 0; x < kCellW; ++x) sheet.SetPixel(column * kCellW + x, row * kCellH + y, shot.Pixel(x, y));
    if (state == State::Pressed) Up();
    btn.SetEnabled(true);
  }

  TBitmap sheet;
};

// Rows: each text style with each shape, then the two programs' picture styles. Columns: frame
// style none, then graded, each in the states normal, hover, pressed and disabled.
TEST_F(FancySheetTest, EveryShapeFrameTextStyleAndStateOnOneSheet) {
  TDsEffect& e = *btn.FancyEffects();
  e.SetHoverColor(clRed);
  e.SetFrameColor(clGray);
  int row = 0;
  for (TTextStyle text : {txNone, txLowered, txRaised, txShadowed})
    for (TBtnShape shape : {btnCapsule, btnOval, btnRectangle}) {
      e.SetTextStyle(text);
      e.SetBtnShape(shape);
      btn.SetCaption(shape == btnOval ? "按钮" : "&OK");
      int column = 0;
      for (TFrameStyle frame : {fmNone, fmGradient}) {
        e.SetFrameStyle(frame);
        btn.SetDesigning(frame == fmNone && text == txNone);
        for (State s : kStates) Shoot(column++, row, s);
      }
      ++row;
    }
  btn.SetDesigning(false);

  // The browser's bar buttons and the keyboard's keys: pictures only, or with a caption beside.
  btn.Glyphs()->SetGlyphsNum(4);
  e.SetFrameStyle(fmNone);
  e.SetBtnShape(btnRectangle);
  e.SetCornerRadius(3);
  btn.SetCaption("");
  btn.Glyphs()->SetBmpLayout(lyCenter);
  btn.Glyphs()->SetBmpGlyph(FaceStrip(80, 42, clGreen, RGB(0, 90, 0), RGB(60, 180, 60)));
  for (int i = 0; i < 4; ++i) Shoot(i, row, kStates[i]);
  e.SetFrameStyle(fmGradient);
  btn.SetCaption("&OK");
  btn.Glyphs()->SetBmpLayout(lyLeft);
  btn.Glyphs()->SetGlyphSpace(2);
  btn.Glyphs()->SetBmpGlyph(FaceStrip(30, 30, clSilver, clGray, clWhite));
  for (int i = 0; i < 4; ++i) Shoot(4 + i, row, kStates[i]);

  ASSERT_TRUE(sheet.SaveToPNG(FANCY_SHEET_PATH));
  TBitmap back;
  ASSERT_TRUE(back.LoadFromFile(FANCY_SHEET_PATH));
  EXPECT_EQ(back.Width(), sheet.Width());
}
