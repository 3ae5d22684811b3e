#include <functional>

#include "tests/widgets/FancyFixture.h"

TEST_F(FancyTest, ConstructionGivesTheDocumentedDefaults) {
  TDsFancyButton fresh(&form);
  EXPECT_EQ(fresh.Width(), 97);
  EXPECT_EQ(fresh.Height(), 25);
  EXPECT_TRUE(fresh.Visible());
  EXPECT_TRUE(fresh.Enabled());
  EXPECT_EQ(fresh.DrawState(), 1);
  EXPECT_FALSE(fresh.Pressed());
  EXPECT_EQ(fresh.CellWidth(), 0);

  const TControlStyle style = fresh.ControlStyle();
  EXPECT_TRUE(style & csCaptureMouse);
  EXPECT_TRUE(style & csClickEvents);
  EXPECT_TRUE(style & csSetCaption);
  EXPECT_FALSE(style & csOpaque);
  EXPECT_FALSE(style & csDoubleClicks);

  const TDsEffect& e = *fresh.FancyEffects();
  EXPECT_EQ(e.FaceColor(), clBtnFace);
  EXPECT_EQ(e.FrameColor(), clGray);
  EXPECT_EQ(e.FrameStyle(), fmGradient);
  EXPECT_EQ(e.FrameWidth(), 4);
  EXPECT_EQ(e.HoverColor(), clBlue);
  EXPECT_EQ(e.Shape(), btnRectangle);
  EXPECT_EQ(e.CornerRadius(), 6);
  EXPECT_EQ(e.TextStyle(), txLowered);

  const TDsGlyph& g = *fresh.Glyphs();
  EXPECT_TRUE(g.Glyph().Empty());
  EXPECT_EQ(g.Layout(), lyLeft);
  EXPECT_EQ(g.Number(), 1);
  EXPECT_EQ(g.Distance(), 0);

  EXPECT_STREQ(TDsFancyButton::PaletteName, "Fancy Compo");
}

TEST(FancyProperties, OutOfRangeValuesAreKeptInRange) {
  struct Case {
    const char* what;
    int value, expected;
  };
  const Case effectCases[] = {
      {"FrameWidth", 20, 14}, {"FrameWidth", 0, 3},     {"FrameWidth", 3, 3},     {"FrameWidth", 14, 14},
      {"CornerRadius", -5, 0}, {"CornerRadius", 500, 145}, {"CornerRadius", 145, 145},
  };
  for (const Case& c : effectCases) {
    TDsEffect e;
    const bool frame = std::string(c.what) == "FrameWidth";
    frame ? e.SetFrameWidth(c.value) : e.SetCornerRadius(c.value);
    EXPECT_EQ(frame ? e.FrameWidth() : e.CornerRadius(), c.expected) << c.what << " " << c.value;
  }
  const Case glyphCases[] = {
      {"Number", 0, 1}, {"Number", 9, 4}, {"Number", 3, 3}, {"Distance", -3, 0}, {"Distance", 7, 7},
  };
  for (const Case& c : glyphCases) {
    TDsGlyph g;
    const bool number = std::string(c.what) == "Number";
    number ? g.SetGlyphsNum(uint8_t(c.value)) : g.SetGlyphSpace(c.value);
    EXPECT_EQ(number ? int(g.Number()) : g.Distance(), c.expected) << c.what << " " << c.value;
  }
}

// Each case changes one property and then sets it to the value it now has.
TEST_F(FancyTest, APropertyChangeRepaintsOnlyWhenTheValueChanges) {
  TDsEffect& e = *btn.FancyEffects();
  TDsGlyph& g = *btn.Glyphs();
  const std::pair<const char*, std::function<void()>> setters[] = {
      {"FaceColor", [&] { e.SetButtonColor(clRed); }},     {"FrameColor", [&] { e.SetFrameColor(clRed); }},
      {"FrameStyle", [&] { e.SetFrameStyle(fmNone); }},    {"FrameWidth", [&] { e.SetFrameWidth(9); }},
      {"HoverColor", [&] { e.SetHoverColor(clRed); }},     {"Shape", [&] { e.SetBtnShape(btnOval); }},
      {"CornerRadius", [&] { e.SetCornerRadius(2); }},     {"TextStyle", [&] { e.SetTextStyle(txRaised); }},
      {"Layout", [&] { g.SetBmpLayout(lyBottom); }},        {"Number", [&] { g.SetGlyphsNum(3); }},
      {"Distance", [&] { g.SetGlyphSpace(5); }},
  };
  Flush();
  for (const auto& [name, set] : setters) {
    const int before = btn.paints;
    set();
    EXPECT_TRUE(Flush()) << name;
    EXPECT_EQ(btn.paints, before + 1) << name;
    set();
    EXPECT_FALSE(Flush()) << name << " set again";
  }

  // A value that is kept at the bound it already has is no change either.
  e.SetFrameWidth(14);
  Flush();
  e.SetFrameWidth(20);
  EXPECT_FALSE(Flush());

  // A picture is always taken as new.
  const TBitmap strip = MakeStrip(20, 10, 1);
  g.SetBmpGlyph(strip);
  Flush();
  g.SetBmpGlyph(strip);
  EXPECT_TRUE(Flush());
  g.SetBmpGlyph(g.Glyph());
  EXPECT_TRUE(Flush());
  EXPECT_EQ(g.Glyph().Width(), 20);
}

TEST_F(FancyTest, ChangesWhileLoadingDoNotRepaint) {
  Flush();
  btn.BeginLoading();
  btn.FancyEffects()->SetButtonColor(clRed);
  btn.Glyphs()->SetGlyphsNum(4);
  EXPECT_FALSE(Flush());
  btn.EndLoading();
  btn.FancyEffects()->SetButtonColor(clGreen);
  EXPECT_TRUE(Flush());
}

TEST_F(FancyTest, ChangeEventsNameThePropertyObjectAsSender) {
  TDsEffect e;
  TDsGlyph g;
  std::vector<TObject*> senders;
  e.OnEffectChange = [&](TObject* s) { senders.push_back(s); };
  g.OnGlyphChange = [&](TObject* s) { senders.push_back(s); };
  e.SetHoverColor(clRed);
  g.SetGlyphSpace(2);
  EXPECT_EQ(senders, (std::vector<TObject*>{&e, &g}));
}
