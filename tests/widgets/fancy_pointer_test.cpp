#include <stdexcept>
#include <string>
#include <vector>

#include "tests/widgets/FancyFixture.h"

namespace {

class FancyPointerTest : public FancyTest {
protected:
  FancyPointerTest() {
    btn.Glyphs()->SetBmpGlyph(MakeStrip(80, 50, 4));
    btn.Glyphs()->SetGlyphsNum(4);
    btn.FancyEffects()->SetFrameStyle(fmNone);
    btn.OnClick = [this](TObject*) { ++clicks; };
  }
  int clicks = 0;
};

} // namespace

TEST_F(FancyPointerTest, OneTouchRaisesMoveDownUpClickInThatOrder) {
  std::vector<std::string> log;
  btn.OnMouseMove = [&](TObject*, TShiftState, int, int) { log.push_back("move"); };
  btn.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    log.push_back(btn.Pressed() ? "down while pressed" : "down");
  };
  btn.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
  btn.OnClick = [&](TObject*) { log.push_back("click"); };
  Tap(40, 25);
  EXPECT_EQ(log, (std::vector<std::string>{"move", "down", "up", "click"}));
  EXPECT_FALSE(btn.Pressed());
}

TEST_F(FancyPointerTest, PressedPictureStaysAfterTheClickUntilTheNextMoveOrLeave) {
  Tap(40, 25);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(btn.DrawState(), 3);
  EXPECT_EQ(CellOf(At(40, 25)), 2);
  Move(41, 25);
  EXPECT_EQ(CellOf(At(40, 25)), 3);
  Tap(40, 25);
  MoveAway();
  EXPECT_EQ(CellOf(At(40, 25)), 0);
  EXPECT_FALSE(btn.MouseInRegion());
}

TEST_F(FancyPointerTest, ReleaseAfterSlidingOffTheShapeButInsideTheRectangleClicks) {
  Move(40, 25);
  Down();
  Move(1, 1); // a cut-off corner: moves change nothing while pressed
  EXPECT_TRUE(btn.Pressed());
  EXPECT_EQ(btn.DrawState(), 3);
  Up();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FancyPointerTest, LeavingTheRectangleCancelsThePressAndComingBackRestoresHover) {
  Move(40, 25);
  Down();
  Move(-10, 25);
  EXPECT_FALSE(btn.Pressed());
  EXPECT_FALSE(btn.MouseInRegion());
  EXPECT_EQ(CellOf(At(40, 25)), 0);
  Up();
  EXPECT_EQ(clicks, 0);

  // Held down again, slid off and back onto the shape: hover, and the release clicks.
  Move(40, 25);
  Down();
  Move(-10, 25);
  Move(40, 25);
  EXPECT_EQ(btn.DrawState(), 4);
  Up();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FancyPointerTest, PressOutsideTheShapeDoesNothingUntilThePointerSlidesOntoIt) {
  Move(1, 1);
  Down();
  EXPECT_FALSE(btn.Pressed());
  EXPECT_EQ(btn.DrawState(), 1);
  Move(40, 25);
  EXPECT_EQ(btn.DrawState(), 4);
  Up();
  EXPECT_EQ(clicks, 1);

  // Released over the cut-off corner it was pressed on: no click.
  Move(1, 1);
  Down();
  Up();
  EXPECT_EQ(clicks, 1);
}

TEST_F(FancyPointerTest, ADoubleClickGivesTwoClicks) {
  int doubles = 0;
  btn.OnDblClick = [&](TObject*) { ++doubles; };
  Tap(40, 25);
  Down();
  Up();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubles, 0);
}

TEST_F(FancyPointerTest, OnlyTheRightButtonNeverPresses) {
  struct Case {
    TMouseButton button;
    bool presses;
  };
  for (const Case c : {Case{TMouseButton::mbLeft, true}, Case{TMouseButton::mbMiddle, true},
                       Case{TMouseButton::mbRight, false}}) {
    clicks = 0;
    int downs = 0;
    btn.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) { downs += b == c.button; };
    MoveAway();
    Move(40, 25);
    Down(c.button);
    EXPECT_EQ(btn.Pressed(), c.presses) << int(c.button);
    EXPECT_EQ(downs, 1) << int(c.button);
    Up(c.button);
    EXPECT_EQ(clicks, c.presses ? 1 : 0) << int(c.button);
  }
}

TEST_F(FancyPointerTest, MovesRepaintOnlyWhenTheStateChanges) {
  const int start = btn.paints;
  Move(40, 25);
  EXPECT_EQ(btn.paints, start + 1) << "hover";
  for (int x = 41; x < 60; ++x) Move(x, 25);
  EXPECT_EQ(btn.paints, start + 1) << "moves over the shape";
  Move(0, 0);
  Move(1, 0);
  EXPECT_EQ(btn.paints, start + 2) << "moves over a cut-off corner";

  // A three-cell strip has no hover cell: each paint falls back to normal, so each move over the
  // shape asks for hover again.
  btn.Glyphs()->SetGlyphsNum(3);
  Move(40, 25);
  const int three = btn.paints;
  Move(41, 25);
  Move(42, 25);
  EXPECT_EQ(btn.paints, three + 2);
  EXPECT_EQ(CellOf(At(40, 25)), 0);
}

TEST_F(FancyPointerTest, DisablingDropsAHeldPress) {
  Move(40, 25);
  Down();
  btn.SetEnabled(false);
  EXPECT_FALSE(btn.Pressed());
  EXPECT_EQ(btn.DrawState(), 2);
  EXPECT_EQ(CellOf(At(40, 25)), 1);
  btn.SetEnabled(true);
  EXPECT_EQ(btn.DrawState(), 1);
  Up();
  EXPECT_EQ(clicks, 0);
}

TEST_F(FancyPointerTest, AThrowingClickHandlerStillEndsThePress) {
  std::vector<std::string> shown;
  app.OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
  btn.OnClick = [](TObject*) { throw std::runtime_error("handler failed"); };
  Tap(40, 25);
  EXPECT_EQ(shown, (std::vector<std::string>{"handler failed"}));
  EXPECT_FALSE(btn.Pressed());
}

TEST_F(FancyPointerTest, AcceleratorClicksInEitherCaseOnlyWhenEnabledAndShown) {
  struct Case {
    const char* caption;
    uint32_t key;
    bool enabled, visible;
    int handled;
  };
  const Case cases[] = {
      {"&OK", 'o', true, true, 1},      {"&OK", 'O', true, true, 1},      {"&OK", 'k', true, true, 0},
      {"&OK", 'o', false, true, 0},     {"&OK", 'o', true, false, 0},     {"按钮(&B)", 'b', true, true, 1},
      {"A&&B", 'b', true, true, 0},     {"按钮", 'o', true, true, 0},
  };
  for (const Case& c : cases) {
    clicks = 0;
    btn.SetCaption(c.caption);
    btn.SetEnabled(c.enabled);
    btn.SetVisible(c.visible);
    EXPECT_EQ(btn.CMDialogChar(c.key), c.handled) << c.caption << " " << char(c.key);
    EXPECT_EQ(clicks, c.handled) << c.caption << " " << char(c.key);
  }

  // Typed on the form, as a user would.
  btn.SetCaption("&OK");
  btn.SetEnabled(true);
  btn.SetVisible(true);
  clicks = 0;
  backend.Char('O');
  backend.Char('x');
  app.ProcessMessages();
  EXPECT_EQ(clicks, 1);
}
