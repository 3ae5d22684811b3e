#include <gtest/gtest.h>

#include <cairo.h>

#include "platform/gfx/TCanvas.h"

namespace {

TBitmap Filled(int width, int height, TColor color) {
  TBitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, color);
  return picture;
}

int CountPixels(const TBitmap& picture, TColor color) {
  int count = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) count += picture.Pixel(x, y) == color;
  return count;
}

// The smallest rectangle holding every pixel that differs from background.
TRect Changed(const TBitmap& picture, TColor background) {
  TRect changed;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (picture.Pixel(x, y) != background) changed = changed.Union({x, y, x + 1, y + 1});
  return changed;
}

TEST(Canvas, FillRgnWritesExactlyTheRegionInsideTheClip) {
  TBitmap target = Filled(60, 40, clWhite);
  TCanvas canvas(target);
  canvas.SetOrigin({5, 3});
  canvas.SetClipRect({0, 0, 40, 30});
  canvas.Brush.Color = clBtnShadow;
  canvas.Brush.Style = TBrushStyle::bsClear; // a region fill ignores the style
  const TRegion oval = TRegion::Ellipse(0, 0, 50, 30);
  canvas.FillRgn(oval);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool painted = x < 40 && y < 30 && oval.Contains(x - 5, y - 3);
      ASSERT_EQ(target.Pixel(x, y), painted ? ColorToRGB(clBtnShadow) : clWhite) << x << "," << y;
    }
}

TEST(Canvas, FillRectHonoursOriginAndClip) {
  TBitmap target = Filled(20, 20, clWhite);
  TCanvas canvas(target);
  canvas.Brush.Color = clRed;
  canvas.SetOrigin({-5, 2});
  canvas.SetClipRect({0, 0, 12, 100}); // stored intersected with the target
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 12, 20}));
  canvas.FillRect({0, 0, 30, 30});
  EXPECT_EQ(Changed(target, clWhite), (TRect{0, 2, 12, 20}));
  EXPECT_EQ(CountPixels(target, clRed), 12 * 18);
}

class BrushCopyTest : public testing::Test {
protected:
  // A strip of two 3 × 2 cells over a green surface; the key is magenta.
  void SetUp() override {
    strip = Filled(6, 2, clNavy);
    strip.SetPixel(3, 0, clFuchsia);
    strip.SetPixel(5, 1, clFuchsia);
    strip.SetPixel(4, 1, clYellow);
    strip.SetPixel(0, 0, clFuchsia); // in the other cell
  }
  TBitmap target = Filled(10, 10, clGreen);
  TBitmap strip;
};

TEST_F(BrushCopyTest, KeyPixelsShowTheSurfaceUnderAClearBrushAndTheBrushColourUnderASolidOne) {
  for (TBrushStyle style : {TBrushStyle::bsClear, TBrushStyle::bsSolid}) {
    target = Filled(10, 10, clGreen);
    TCanvas canvas(target);
    canvas.SetOrigin({2, 1});
    canvas.Brush.Style = style;
    canvas.Brush.Color = clRed;
    canvas.BrushCopy(Bounds(1, 1, 3, 2), strip, Bounds(3, 0, 3, 2), clFuchsia);
    const TColor key = style == TBrushStyle::bsSolid ? clRed : clGreen;
    const TColor expected[2][3] = {{key, clNavy, clNavy}, {clNavy, clYellow, key}};
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(target.Pixel(3 + x, 2 + y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(Changed(target, clGreen), (TRect{3, 2, 6, 4}));
  }
}

TEST_F(BrushCopyTest, CopyStopsAtTheClipAndAtThePictureEdge) {
  TCanvas canvas(target);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.SetClipRect({0, 0, 10, 2});
  canvas.BrushCopy(Bounds(8, 1, 3, 2), strip, Bounds(3, 0, 3, 2), clFuchsia);
  EXPECT_EQ(Changed(target, clGreen), (TRect{9, 1, 10, 2}));
  EXPECT_EQ(target.Pixel(9, 1), clNavy);
  // A source rectangle reaching past the strip copies only what the strip has.
  canvas.ResetClip();
  canvas.BrushCopy(Bounds(0, 5, 4, 2), strip, Bounds(4, 0, 4, 2), clFuchsia);
  EXPECT_EQ(Changed(target, clGreen), (TRect{0, 1, 10, 7}));
  EXPECT_EQ(target.Pixel(0, 6), clYellow);
  EXPECT_EQ(target.Pixel(1, 6), clGreen); // key
  EXPECT_EQ(target.Pixel(2, 5), clGreen);
}

TEST_F(BrushCopyTest, TranslucentPixelsBlendAndAreJudgedByTheirColour) {
  TBitmap picture(2, 1);
  picture.Bits()[0] = 0x80800000; // red at half alpha
  picture.Bits()[1] = 0x80800080; // magenta at half alpha: the key
  TCanvas canvas(target);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.BrushCopy(Bounds(0, 0, 2, 1), picture, Bounds(0, 0, 2, 1), clFuchsia);
  EXPECT_EQ(target.Pixel(0, 0), RGB(128, 64, 0));
  EXPECT_EQ(target.Pixel(1, 0), clGreen);
}

TEST(Canvas, DrawBlendsByAlpha) {
  TBitmap target = Filled(4, 1, clWhite);
  TBitmap picture(3, 1);
  picture.Bits()[0] = 0xFF0000FF; // opaque blue
  picture.Bits()[1] = 0x80800000; // red at half alpha
  picture.Bits()[2] = 0x00000000; // clear
  TCanvas canvas(target);
  canvas.Draw(1, 0, picture);
  EXPECT_EQ(target.Pixel(0, 0), clWhite);
  EXPECT_EQ(target.Pixel(1, 0), clBlue);
  EXPECT_EQ(target.Pixel(2, 0), RGB(255, 127, 127));
  EXPECT_EQ(target.Pixel(3, 0), clWhite);
}

TEST(Canvas, OnePixelOutlinesAndLinesLandOnWholePixels) {
  TBitmap target = Filled(20, 20, clWhite);
  TCanvas canvas(target);
  canvas.SetOrigin({2, 2});
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle({0, 0, 10, 8});
  EXPECT_EQ(CountPixels(target, clBlack), 2 * 10 + 2 * 6);
  EXPECT_EQ(Changed(target, clWhite), (TRect{2, 2, 12, 10}));
  EXPECT_EQ(target.Pixel(11, 9), clBlack);
  EXPECT_EQ(target.Pixel(3, 3), clWhite);

  target = Filled(20, 20, clWhite);
  canvas.Pen.Color = clRed;
  canvas.MoveTo(8, 12);
  canvas.LineTo(0, 12); // leftwards: the end pixel is left out
  canvas.LineTo(0, 15);
  EXPECT_EQ(CountPixels(target, clRed), 8 + 3);
  EXPECT_EQ(Changed(target, clWhite), (TRect{2, 14, 11, 17}));
  EXPECT_EQ(target.Pixel(3, 14), clRed);
  EXPECT_EQ(target.Pixel(2, 17), clWhite);
}

TEST(Canvas, CairoHasTheOriginAndTheClip) {
  TBitmap target = Filled(20, 20, clWhite);
  TCanvas canvas(target);
  canvas.SetOrigin({4, 4});
  canvas.SetClipRect({2, 2, 10, 10});
  cairo_t* cr = canvas.Cairo();
  cairo_set_source_rgb(cr, 0, 0, 1);
  cairo_rectangle(cr, -4, 0, 100, 100);
  cairo_fill(cr);
  EXPECT_EQ(Changed(target, clWhite), (TRect{2, 4, 10, 10}));
  EXPECT_EQ(CountPixels(target, clBlue), 8 * 6);
}

TEST(Canvas, KeepsWorkingWhenTheTargetIsResized) {
  TBitmap target;
  TCanvas canvas(target);
  EXPECT_GT(canvas.TextWidth("Ab"), 0); // measuring needs no pixels
  target.SetSize(8, 8);
  canvas.Pen.Color = clRed;
  canvas.Rectangle({0, 0, 8, 8});
  target.SetSize(30, 20);
  canvas.Brush.Color = clBlue;
  canvas.Rectangle({0, 0, 30, 20});
  EXPECT_EQ(target.Pixel(29, 19), clRed);
  EXPECT_EQ(target.Pixel(15, 10), clBlue);
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 30, 20}));
}

class CanvasText : public testing::Test {
protected:
  void SetUp() override {
    canvas.Font.SetName("Tahoma");
    canvas.Font.SetHeight(-24);
    canvas.Font.SetColor(clRed);
    canvas.Brush.Style = TBrushStyle::bsClear;
  }
  TBitmap target = Filled(200, 60, clWhite);
  TCanvas canvas{target};
};

TEST_F(CanvasText, PrefixIsRemovedFromTheMeasuredText) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {{"&Yes", "Yes"}, {"Save && E&xit", "Save & Exit"}, {"&是(&Y)", "是(Y)"}, {"Tail&", "Tail"}};
  for (const auto& c : cases) {
    TRect rect{0, 0, 0, 0};
    const int height = canvas.DrawText(c.text, rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(rect.Width(), canvas.TextWidth(c.shown)) << c.text;
    EXPECT_EQ(height, canvas.TextHeight(c.shown)) << c.text;
    EXPECT_EQ(rect.Height(), height) << c.text;
    TRect plain{0, 0, 0, 0};
    canvas.DrawText(c.text, plain, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.Width(), canvas.TextWidth(c.text)) << c.text;
  }
}

TEST_F(CanvasText, DrawTextPaintsInTheFontColourInsideTheRectangleAndUnderlinesTheAccelerator) {
  TRect rect{20, 5, 180, 55};
  const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  canvas.DrawText("H&H", rect, flags);
  const TRect ink = Changed(target, clWhite);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(ink.Intersect(rect), ink);
  EXPECT_GT(CountPixels(target, clRed), 20); // the stems are fully covered
  // Centred: the ink sits in the middle of the rectangle, give or take the side bearings.
  EXPECT_NEAR((ink.Left + ink.Right) / 2, 100, 3);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 30, 6);

  const int underlined = CountPixels(target, clWhite);
  target = Filled(200, 60, clWhite);
  canvas.DrawText("HH", rect, flags);
  EXPECT_LT(underlined, CountPixels(target, clWhite));
}

TEST_F(CanvasText, DrawTextClipsToItsRectangle) {
  TRect rect{10, 10, 30, 50};
  canvas.DrawText("WWWWWWWW", rect, DT_SINGLELINE);
  EXPECT_EQ(Changed(target, clWhite).Intersect(rect), Changed(target, clWhite));
}

TEST_F(CanvasText, SolidBrushFillsTheTextExtentFirst) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = clYellow;
  canvas.SetOrigin({10, 10});
  canvas.TextOut(5, 5, "Hi");
  const TSize size = canvas.TextExtent("Hi");
  EXPECT_EQ(Changed(target, clWhite), Bounds(15, 15, size.cx, size.cy));
  EXPECT_EQ(target.Pixel(15, 15), clYellow);
  EXPECT_EQ(target.Pixel(15 + size.cx - 1, 15 + size.cy - 1), clYellow);
  EXPECT_GT(CountPixels(target, clRed), 10);
}

TEST_F(CanvasText, ChineseRendersWithTheDefaultFont) {
  TFont font; // 宋体
  font.SetHeight(-16);
  font.SetColor(clBlack);
  canvas.Font = font;
  const TSize size = canvas.TextExtent("首页");
  // Chinese characters are one em wide each; boxes for missing glyphs are narrower.
  EXPECT_NEAR(size.cx, 32, 2);
  canvas.TextOut(0, 0, "首页");
  const TRect ink = Changed(target, clWhite);
  EXPECT_GT(ink.Width(), 24);
  EXPECT_GT(ink.Height(), 10);
}

} // namespace
