#include <string>
#include <vector>

#include "tests/widgets/FancyFixture.h"

namespace {

struct Pass {
  TColor color;
  int offset;
};

enum class State { Normal, Hover, Pressed, Disabled };

// The caption as it should look: each pass drawn on the plain background in its colour, at its
// offset from the caption's rectangle, which lyCenter puts in the middle of the button.
TBitmap ExpectedCaption(const TFont& font, const std::string& caption, int w, int h, const std::vector<Pass>& passes) {
  TBitmap picture(w, h);
  TCanvas canvas(picture);
  canvas.Brush.Color = kBackground;
  canvas.FillRect({0, 0, w, h});
  canvas.Font = font;
  const TSize size = canvas.TextExtent(caption);
  const TRect area = Bounds((w - size.cx) / 2, (h - size.cy) / 2, size.cx, size.cy);
  canvas.Brush.Style = TBrushStyle::bsClear;
  for (const Pass& p : passes) {
    TRect r = area.Offset(p.offset, p.offset);
    canvas.Font.SetColor(ColorToRGB(p.color));
    canvas.DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  return picture;
}

} // namespace

TEST_F(FancyTest, CaptionEffectColoursAndOffsetsFollowStyleAndState) {
  constexpr TColor kFont = RGB(0, 0, 128);
  struct Case {
    TTextStyle style;
    State state;
    std::vector<Pass> passes;
  };
  const Case cases[] = {
      {txNone, State::Normal, {{kFont, 0}}},
      {txLowered, State::Normal, {{clBtnHighlight, 1}, {kFont, 0}}},
      {txLowered, State::Pressed, {{clBtnHighlight, 2}, {kFont, 1}}},
      {txRaised, State::Normal, {{clBtnHighlight, -1}, {kFont, 0}}},
      {txRaised, State::Pressed, {{clBtnHighlight, 0}, {kFont, 1}}},
      {txShadowed, State::Normal, {{clBtnShadow, 2}, {kFont, 0}}},
      {txShadowed, State::Pressed, {{clBtnShadow, 3}, {kFont, 1}}},
      {txLowered, State::Hover, {{clBtnHighlight, 1}, {clRed, 0}}},
      {txShadowed, State::Disabled, {{clBtnShadow, 2}, {clBtnFace, 0}}},
      {txLowered, State::Disabled, {{clBtnHighlight, 1}, {clBtnShadow, 0}}},
  };
  btn.FancyEffects()->SetFrameStyle(fmNone);
  btn.FancyEffects()->SetHoverColor(clRed);
  btn.Glyphs()->SetBmpLayout(lyCenter);
  btn.SetParentFont(false);
  btn.Font().SetHeight(22);
  btn.Font().SetColor(kFont);
  for (const std::string caption : {"&OK", "按钮"}) {
    btn.SetCaption(caption);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << caption << " style " << int(c.style) << " state " << int(c.state));
      btn.FancyEffects()->SetTextStyle(c.style);
      MoveAway();
      if (c.state == State::Hover || c.state == State::Pressed) Move(40, 25);
      if (c.state == State::Pressed) Down();
      if (c.state == State::Disabled) btn.SetEnabled(false);

      const TBitmap expected = ExpectedCaption(btn.Font(), caption, 80, 50, c.passes);
      const TBitmap& shot = form.Snapshot();
      int wrong = 0;
      for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x) wrong += shot.Pixel(btn.Left() + x, btn.Top() + y) != expected.Pixel(x, y);
      EXPECT_EQ(wrong, 0);

      if (c.state == State::Pressed) Up();
      btn.SetEnabled(true);
    }
  }
}

TEST_F(FancyTest, ChangingTheCaptionRepaints) {
  Flush();
  btn.SetCaption("&OK");
  EXPECT_TRUE(Flush());
  btn.SetCaption("&OK");
  EXPECT_FALSE(Flush());
}
