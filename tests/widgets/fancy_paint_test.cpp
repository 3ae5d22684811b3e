#include <cstdlib>
#include <vector>

#include "tests/widgets/FancyFixture.h"

namespace {

void GradientBlackFrameWhiteFace(TDsFancyButton& btn, int frameWidth, int cornerRadius) {
  TDsEffect& e = *btn.FancyEffects();
  e.SetFrameStyle(fmGradient);
  e.SetButtonColor(clWhite);
  e.SetFrameColor(clBlack);
  e.SetFrameWidth(frameWidth);
  e.SetCornerRadius(cornerRadius);
}

} // namespace

TEST_F(FancyTest, GradedShapeClimbsFromTheFrameColourToNearlyTheFace) {
  struct Case {
    int frameWidth, cornerRadius;
    std::vector<int> rings;
  };
  const Case cases[] = {
      {3, 0, {0, 190, 240}},
      {4, 0, {0, 169, 221, 247}},
      {4, 6, {0, 169, 221, 247}},
      {4, 145, {0, 169, 221, 247}},
  };
  for (const Case& c : cases) {
    GradientBlackFrameWhiteFace(btn, c.frameWidth, c.cornerRadius);
    SCOPED_TRACE(testing::Message() << "FrameWidth " << c.frameWidth << " CornerRadius " << c.cornerRadius);
    for (int i = 0; i < c.frameWidth; ++i) {
      EXPECT_EQ(At(i, 25), RGB(c.rings[i], c.rings[i], c.rings[i])) << "left ring " << i;
      EXPECT_EQ(Grey(At(40, i)), c.rings[i]) << "top ring " << i;
      EXPECT_EQ(Grey(At(79 - i, 25)), c.rings[i]) << "right ring " << i;
      EXPECT_EQ(Grey(At(40, 49 - i)), c.rings[i]) << "bottom ring " << i;
    }
    EXPECT_EQ(Grey(At(40, 25)), c.rings.back()) << "face";
  }
}

TEST_F(FancyTest, PressedShapeShowsDarkAndLightEdgesAroundTheMixedFace) {
  struct Case {
    TBtnShape shape;
    int cornerRadius;
  };
  const TColor highlight = ColorToRGB(clBtnHighlight);
  for (const Case c : {Case{btnRectangle, 0}, Case{btnRectangle, 6}, Case{btnOval, 6}, Case{btnCapsule, 6}}) {
    SCOPED_TRACE(testing::Message() << "shape " << int(c.shape) << " radius " << c.cornerRadius);
    GradientBlackFrameWhiteFace(btn, 4, c.cornerRadius);
    btn.FancyEffects()->SetBtnShape(c.shape);
    MoveAway();
    Move(40, 25);
    Down();
    ASSERT_TRUE(btn.Pressed());
    const TBitmap& shot = form.Snapshot();
    auto at = [&](int x, int y) { return shot.Pixel(btn.Left() + x, btn.Top() + y); };
    EXPECT_EQ(at(0, 25), kBackground);
    EXPECT_EQ(at(1, 25), clBlack);
    EXPECT_EQ(at(2, 25), RGB(153, 153, 153)); // 40 per cent of black in white
    EXPECT_EQ(at(3, 25), RGB(217, 217, 217)); // 15 per cent: 216.75
    EXPECT_EQ(at(78, 25), RGB(217, 217, 217));
    EXPECT_EQ(at(79, 25), highlight);
    EXPECT_EQ(at(40, 0), kBackground);
    EXPECT_EQ(at(40, 1), clBlack);
    EXPECT_EQ(at(40, 2), RGB(153, 153, 153));
    EXPECT_EQ(at(40, 48), RGB(217, 217, 217));
    EXPECT_EQ(at(40, 49), highlight);
    Up();
  }
}

TEST_F(FancyTest, StateShowsTheCellItsStripHas) {
  // Expected cell for normal, disabled, pressed and hover, by Number.
  const int expected[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 1, 2, 0}, {0, 1, 2, 3}};
  btn.FancyEffects()->SetFrameStyle(fmNone);
  for (int number = 1; number <= 4; ++number) {
    btn.Glyphs()->SetBmpGlyph(MakeStrip(80, 50, number));
    btn.Glyphs()->SetGlyphsNum(uint8_t(number));
    SCOPED_TRACE(testing::Message() << "Number " << number);

    MoveAway();
    EXPECT_EQ(CellOf(At(40, 20)), expected[number - 1][0]) << "normal";
    btn.SetEnabled(false);
    EXPECT_EQ(CellOf(At(40, 20)), expected[number - 1][1]) << "disabled";
    btn.SetEnabled(true);
    Move(40, 20);
    Down();
    EXPECT_EQ(CellOf(At(41, 21)), expected[number - 1][2]) << "pressed";
    Up();
    MoveAway();
    Move(40, 20);
    EXPECT_EQ(CellOf(At(40, 20)), expected[number - 1][3]) << "hover";
    if (expected[number - 1][3] == 0) {
      EXPECT_EQ(btn.DrawState(), 1) << "hover reset by the paint";
    }
  }
}

TEST_F(FancyTest, CellsOfAFourCellStripComeFromTheirOwnColumns) {
  btn.FancyEffects()->SetFrameStyle(fmNone);
  btn.Glyphs()->SetBmpGlyph(MakeStrip(80, 50, 4));
  btn.Glyphs()->SetGlyphsNum(4);
  Move(40, 20);
  form.Snapshot();
  EXPECT_EQ(btn.CellWidth(), 80);
  for (int x : {10, 11, 40, 78, 79}) // source x 250 ... 319
    EXPECT_EQ(At(x, 20), RGB(uint8_t(x), 190, 20)) << "hover, x " << x;

  // The pressed cell sits one pixel down and right while the press is held, and stays on show
  // without the offset after the click.
  Down();
  EXPECT_EQ(At(41, 21), RGB(40, 140, 20));
  EXPECT_EQ(At(0, 20), kBackground);
  Up();
  EXPECT_EQ(btn.DrawState(), 3);
  EXPECT_EQ(At(40, 20), RGB(40, 140, 20));
  EXPECT_EQ(At(0, 20), RGB(0, 140, 20));
}

TEST_F(FancyTest, KeyColourPixelsShowWhatLiesBeneath) {
  struct Case {
    const char* what;
    TFrameStyle frame;
    bool pressed;
    TColor expected;
  };
  const Case cases[] = {
      {"no frame", fmNone, false, kBackground},
      {"no frame, pressed", fmNone, true, kBackground},
      {"graded shape", fmGradient, false, RGB(247, 247, 247)},
      {"pressed shape", fmGradient, true, RGB(217, 217, 217)},
  };
  GradientBlackFrameWhiteFace(btn, 4, 0);
  btn.Glyphs()->SetBmpGlyph(MakeStrip(80, 50, 4));
  btn.Glyphs()->SetGlyphsNum(4);
  for (const Case& c : cases) {
    btn.FancyEffects()->SetFrameStyle(c.frame);
    MoveAway();
    Move(40, 20);
    if (c.pressed) Down();
    EXPECT_EQ(At(5, 45), c.expected) << c.what;
    EXPECT_EQ(CellOf(At(40, 20)), c.pressed ? 2 : 3) << c.what;
    EXPECT_EQ(btn.KeyColor(), kMagenta);
    if (c.pressed) Up();
  }
}

TEST_F(FancyTest, ShapesCutTheirCornersForPointerAndPaint) {
  struct Case {
    TBtnShape shape;
    int cornerRadius;
    TPoint point;
    bool inside;
  };
  const Case cases[] = {
      {btnRectangle, 3, {0, 0}, false},   {btnRectangle, 3, {3, 3}, true},   {btnRectangle, 3, {79, 49}, false},
      {btnRectangle, 0, {0, 0}, true},    {btnRectangle, 0, {79, 49}, true},
      {btnOval, 6, {0, 0}, false},        {btnOval, 6, {79, 0}, false},      {btnOval, 6, {0, 49}, false},
      {btnOval, 6, {79, 49}, false},      {btnOval, 6, {40, 0}, true},       {btnOval, 6, {0, 25}, true},
      {btnCapsule, 6, {0, 0}, false},     {btnCapsule, 6, {5, 5}, false},    {btnCapsule, 6, {25, 0}, true},
      {btnCapsule, 6, {0, 25}, true},     {btnCapsule, 6, {54, 0}, true},    {btnCapsule, 6, {79, 49}, false},
  };
  const int regionsBefore = TRegion::LiveCount();
  btn.FancyEffects()->SetFrameStyle(fmGradient);
  for (const Case& c : cases) {
    btn.FancyEffects()->SetBtnShape(c.shape);
    btn.FancyEffects()->SetCornerRadius(c.cornerRadius);
    SCOPED_TRACE(testing::Message() << "shape " << int(c.shape) << " radius " << c.cornerRadius << " at "
                                    << c.point.X << "," << c.point.Y);
    EXPECT_EQ(btn.IsInRegion(c.point.X, c.point.Y), c.inside);
    // The top-left corner is painted from the same corner ellipse as the hit test uses.
    if (c.point.X == 0 && c.point.Y == 0) {
      EXPECT_EQ(At(0, 0) != kBackground, c.inside);
    }
    EXPECT_NE(At(40, 25), kBackground);
    // The pointer follows the shape too.
    MoveAway();
    Move(c.point.X, c.point.Y);
    EXPECT_EQ(btn.MouseInRegion(), c.inside);
  }
  EXPECT_EQ(TRegion::LiveCount(), regionsBefore);
}

TEST_F(FancyTest, LayoutPlacesPictureAndCaptionByTheTable) {
  struct Case {
    TBmpLayout layout;
    int glyphLeft, glyphTop, textLeft, textTop;
  };
  // A 20 × 10 picture, Distance 3, no caption, on a 99 × 25 button.
  const Case cases[] = {
      {lyLeft, 38, 7, 61, 12},   {lyRight, 41, 7, 38, 12}, {lyTop, 39, 6, 49, 19},
      {lyBottom, 39, 9, 49, 6},  {lyCenter, 39, 7, 49, 12},
  };
  btn.FancyEffects()->SetFrameStyle(fmNone);
  btn.SetBounds(20, 10, 99, 25);
  btn.Glyphs()->SetBmpGlyph(MakeStrip(20, 10, 1, kMagenta));
  btn.Glyphs()->SetGlyphSpace(3);
  for (const Case& c : cases) {
    btn.Glyphs()->SetBmpLayout(c.layout);
    SCOPED_TRACE(testing::Message() << "layout " << int(c.layout));
    // The key block of this small strip covers its left half, so look at its right half.
    EXPECT_EQ(At(c.glyphLeft + 15, c.glyphTop + 1), RGB(15, 40, 1));
    EXPECT_EQ(At(c.glyphLeft + 20, c.glyphTop + 1), kBackground);
    EXPECT_EQ(At(c.glyphLeft + 15, c.glyphTop - 1), kBackground);
    EXPECT_EQ(btn.GlyphLeft(), c.glyphLeft);
    EXPECT_EQ(btn.GlyphTop(), c.glyphTop);
    EXPECT_EQ(btn.TextLeft(), c.textLeft);
    EXPECT_EQ(btn.TextTop(), c.textTop);
  }
}

TEST_F(FancyTest, AnEmptyOrTooNarrowStripPaintsNoPicture) {
  btn.FancyEffects()->SetFrameStyle(fmNone);
  btn.Glyphs()->SetGlyphsNum(4);
  btn.Glyphs()->SetBmpGlyph(MakeStrip(1, 50, 3)); // three pixels for four cells
  EXPECT_EQ(At(1, 1), kBackground);
  EXPECT_EQ(btn.CellWidth(), 0);
}

TEST_F(FancyTest, ASideAbove145IsCutBackAfterThePaint) {
  btn.SetBounds(20, 10, 200, 300);
  EXPECT_EQ(btn.Width(), 200);
  Flush();
  EXPECT_EQ(btn.Width(), 145);
  EXPECT_EQ(btn.Height(), 145);
  // What the wider button covered shows the form again.
  EXPECT_EQ(form.Snapshot().Pixel(btn.Left() + 160, btn.Top() + 5), kBackground);
}

TEST_F(FancyTest, DesignOutlineShowsOnlyInADesigner) {
  btn.FancyEffects()->SetFrameStyle(fmNone);
  auto marked = [&] {
    std::vector<TPoint> points;
    const TBitmap& shot = form.Snapshot();
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 80; ++x)
        if (shot.Pixel(btn.Left() + x, btn.Top() + y) != kBackground) points.push_back({x, y});
    return points;
  };
  EXPECT_TRUE(marked().empty());

  btn.SetDesigning(true);
  btn.Invalidate();
  const std::vector<TPoint> outline = marked();
  EXPECT_FALSE(outline.empty());
  auto toGrey = [](TColor c) {
    return std::abs(GetRValue(c) - 128) + std::abs(GetGValue(c) - 128) + std::abs(GetBValue(c) - 128);
  };
  for (TPoint p : outline) {
    EXPECT_TRUE(p.X <= 2 || p.Y <= 2 || p.X >= 77 || p.Y >= 47) << p.X << "," << p.Y;
    const TColor c = form.Snapshot().Pixel(btn.Left() + p.X, btn.Top() + p.Y);
    EXPECT_LT(toGrey(c), toGrey(kBackground)) << "grey pen at " << p.X << "," << p.Y;
  }
}
