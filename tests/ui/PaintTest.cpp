#include "tests/ui/UiFixture.h"

// Pixels of the form's back buffer: a windowless control lets its parent show where it paints
// nothing, and nothing it draws lands outside itself or outside its parent.
TEST_F(UiTest, WindowlessControlsPaintOverTheirParentClippedToThemselves) {
  form.SetColor(clWhite);
  TWinControl panel(&form);
  panel.SetBounds(20, 20, 200, 100);
  panel.SetColor(clRed);
  TProbe clear(&panel, "clear");
  clear.SetBounds(10, 10, 40, 40);
  TProbe spill(&panel, "spill", nullptr, clBlue);
  spill.overdraw = true;
  spill.SetBounds(60, 10, 40, 40);
  TProbe past(&panel, "past", nullptr, clLime);
  past.SetBounds(180, 80, 50, 50);
  TProbe under(&panel, "under", nullptr, clYellow), over(&panel, "over", nullptr, clNavy);
  under.SetBounds(110, 10, 40, 40);
  over.SetBounds(130, 30, 40, 40);
  TProbe hidden(&panel, "hidden", nullptr, clBlack);
  hidden.SetBounds(0, 0, 200, 100);
  hidden.Hide();

  struct TCase {
    const char* what;
    int x, y; // form coordinates
    TColor expected;
  };
  const TCase cases[] = {
      {"the form around the panel", 10, 10, clWhite},
      {"the panel", 25, 25, clRed},
      {"through the control that paints nothing", 40, 40, clRed},
      {"inside the control that overdraws", 85, 35, clBlue},
      {"below it", 85, 75, clRed},
      {"left of it", 75, 35, clRed},
      {"a child reaching past its panel, inside", 205, 105, clLime},
      {"and outside the panel", 225, 125, clWhite},
      {"where two overlap, the later one", 155, 55, clNavy},
      {"the earlier one alone", 135, 35, clYellow},
  };
  const TBitmap& shot = form.Snapshot();
  for (const TCase& c : cases) EXPECT_EQ(shot.Pixel(c.x, c.y), c.expected) << c.what;
  EXPECT_EQ(hidden.paints, 0);

  under.BringToFront();
  EXPECT_EQ(form.Snapshot().Pixel(155, 55), clYellow) << "brought to the front";
}

// Only the dirty area is repainted and presented, once for all the changes since the last paint.
TEST_F(UiTest, InvalidatedControlsAreRepaintedAndPresentedTogether) {
  TProbe a(&form, "a", nullptr, clRed), b(&form, "b", nullptr, clRed), far(&form, "far", nullptr, clRed);
  a.SetBounds(10, 10, 20, 20);
  b.SetBounds(40, 10, 20, 20);
  far.SetBounds(200, 150, 20, 20);
  ShowForm();
  THeadlessWindow& window = *backend.WindowOf(form);
  const int presents = window.PresentCount(), farPaints = far.paints;
  EXPECT_FALSE(form.HasDirty());

  a.SetFill(clBlue);
  b.SetFill(clGreen);
  app.ProcessMessages();
  EXPECT_EQ(window.PresentCount(), presents + 1);
  EXPECT_EQ(window.LastPresented(), (TRect{10, 10, 60, 30}));
  EXPECT_EQ(far.paints, farPaints) << "outside the dirty area";
  EXPECT_EQ(form.BackBuffer().Pixel(15, 15), clBlue);
  EXPECT_EQ(form.BackBuffer().Pixel(45, 15), clGreen);

  app.ProcessMessages();
  EXPECT_EQ(window.PresentCount(), presents + 1) << "nothing dirty, nothing painted";
}

namespace {

// Notes the canvas it is given, then leaves it in a state of its own.
class TCanvasProbe : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  int fontHeight = 0;
  TColor brushColor = clNone;
  bool brushSolid = false;

protected:
  void Paint() override {
    fontHeight = Canvas()->Font.Height();
    brushColor = Canvas()->Brush.Color;
    brushSolid = Canvas()->Brush.Style == TBrushStyle::bsSolid;
    Canvas()->Brush.Color = clGreen;
    Canvas()->Brush.Style = TBrushStyle::bsClear;
    Canvas()->Font.SetHeight(40);
  }
};

} // namespace

TEST_F(UiTest, EachControlPaintsOnAFreshCanvasInItsOwnFont) {
  TCanvasProbe first(&form), second(&form);
  first.SetBounds(0, 0, 10, 10);
  second.SetBounds(20, 0, 10, 10);
  form.Font().SetHeight(16);
  second.Font().SetHeight(20);
  form.Snapshot();
  EXPECT_EQ(first.fontHeight, 16) << "the parent's font";
  EXPECT_EQ(second.fontHeight, 20);
  for (const TCanvasProbe* p : {&first, &second}) {
    EXPECT_EQ(p->brushColor, clWhite);
    EXPECT_TRUE(p->brushSolid);
  }
}
