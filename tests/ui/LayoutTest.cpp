#include "tests/ui/UiFixture.h"

namespace {

struct TPlace {
  const char* name;
  TRect expected;
};

void ExpectPlaces(const std::vector<std::pair<const char*, TControl*>>& controls, const std::vector<TPlace>& places) {
  for (size_t i = 0; i < places.size(); ++i)
    EXPECT_EQ(controls[i].second->BoundsRect(), places[i].expected) << places[i].name;
}

} // namespace

// The main window's layout: strips at the top, left and right, the bar at the bottom, the pane
// filling the rest; top and bottom take the whole width before left and right take what is left.
TEST_F(UiTest, AlignedChildrenTakeTheirPlacesAndFollowTheParentsSize) {
  form.SetBounds(0, 0, 862, 473);
  TWinControl top(&form), left(&form), right(&form), bar(&form), pane(&form);
  top.SetBounds(0, 0, 862, 10);
  top.SetAlign(alTop);
  left.SetBounds(0, 10, 10, 406);
  left.SetAlign(alLeft);
  right.SetBounds(852, 10, 10, 406);
  right.SetAlign(alRight);
  bar.SetBounds(0, 416, 862, 57);
  bar.SetAlign(alBottom);
  pane.SetAlign(alClient);
  const std::vector<std::pair<const char*, TControl*>> all = {
      {"top", &top}, {"left", &left}, {"right", &right}, {"bar", &bar}, {"pane", &pane}};

  ExpectPlaces(all, {{"top", {0, 0, 862, 10}}, {"left", {0, 10, 10, 416}}, {"right", {852, 10, 862, 416}},
                     {"bar", {0, 416, 862, 473}}, {"pane", {10, 10, 852, 416}}});

  form.SetBounds(0, 0, 1024, 768);
  ExpectPlaces(all, {{"top", {0, 0, 1024, 10}}, {"left", {0, 10, 10, 711}}, {"right", {1014, 10, 1024, 711}},
                     {"bar", {0, 711, 1024, 768}}, {"pane", {10, 10, 1014, 711}}});

  // An aligned child that changes its size or is hidden makes the others move up.
  bar.SetHeight(100);
  EXPECT_EQ(pane.BoundsRect(), (TRect{10, 10, 1014, 668}));
  top.Hide();
  EXPECT_EQ(pane.BoundsRect(), (TRect{10, 0, 1014, 668}));
  EXPECT_EQ(left.BoundsRect(), (TRect{0, 0, 10, 668}));
}

TEST_F(UiTest, AnchoredChildrenKeepTheirDistancesWhenTheParentResizes) {
  struct TCase {
    const char* name;
    TAnchors anchors;
    TRect after; // the child was at 50, 30, 40 × 20 in a 200 × 100 parent, which grows by 60 × 40
  };
  const TCase cases[] = {
      {"left top", akLeft | akTop, {50, 30, 90, 50}},
      {"right bottom", akRight | akBottom, {110, 70, 150, 90}},
      {"left right", akLeft | akRight | akTop, {50, 30, 150, 50}},
      {"top bottom", akLeft | akTop | akBottom, {50, 30, 90, 90}},
      {"none", 0, {80, 50, 120, 70}},
  };
  for (const TCase& c : cases) {
    TWinControl parent(&form);
    parent.SetBounds(0, 0, 200, 100);
    TProbe child(&parent, "child");
    child.SetBounds(50, 30, 40, 20);
    child.SetAnchors(c.anchors);
    parent.SetBounds(0, 0, 260, 140);
    EXPECT_EQ(child.BoundsRect(), c.after) << c.name;
    // And back again: the distances are those of the design.
    parent.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(child.BoundsRect(), (TRect{50, 30, 90, 50})) << c.name;
  }
}

// A form written in any order inside BeginLoading/EndLoading lays out once, from its design sizes.
TEST_F(UiTest, LayoutWaitsUntilTheFormHasBeenRead) {
  form.BeginLoading();
  TWinControl bar(&form);
  TProbe clock(&bar, "clock");
  bar.SetBounds(0, 416, 862, 57);
  bar.SetAlign(alBottom);
  clock.SetBounds(760, 5, 40, 13);
  clock.SetAnchors(akRight | akBottom);
  int resizes = 0;
  bar.OnResize = [&](TObject*) { ++resizes; };
  form.SetBounds(0, 0, 862, 473); // the form's own size comes last
  EXPECT_EQ(resizes, 0);
  form.EndLoading();
  EXPECT_EQ(bar.BoundsRect(), (TRect{0, 416, 862, 473}));
  EXPECT_EQ(clock.BoundsRect(), (TRect{760, 5, 800, 18}));

  form.SetBounds(0, 0, 1024, 768);
  EXPECT_EQ(bar.BoundsRect(), (TRect{0, 711, 1024, 768}));
  EXPECT_EQ(clock.BoundsRect(), (TRect{922, 5, 962, 18}));
  EXPECT_EQ(resizes, 1);
}

TEST_F(UiTest, OnResizeIsRaisedForSizeChangesOnly) {
  TProbe probe(&form, "p");
  probe.SetBounds(0, 0, 10, 10);
  int resizes = 0;
  probe.OnResize = [&](TObject*) { ++resizes; };
  probe.SetBounds(5, 5, 10, 10);
  EXPECT_EQ(resizes, 0);
  probe.SetWidth(20);
  probe.SetWidth(20);
  EXPECT_EQ(resizes, 1);
}

// The form asks OnCanResize about every new size, whoever proposes it: a refusal keeps the old
// size, a changed answer is taken (here the size limits of the settings tool's frame).
TEST_F(UiTest, OnCanResizeRefusesOrCutsNewSizes) {
  backend.SetWorkArea({0, 0, 1024, 740});
  form.OnCanResize = [&](TObject*, int& w, int& h, bool& resize) {
    if (w < 200 || h < 60) {
      resize = false;
      return;
    }
    w = std::min(w, backend.WorkArea().Width());
    h = std::min(h, backend.WorkArea().Height());
  };
  form.SetBounds(0, 0, 536, 353);
  ShowForm();

  form.SetBounds(10, 20, 150, 300);
  EXPECT_EQ(form.BoundsRect(), (TRect{10, 20, 546, 373})) << "refused size, the move still happens";
  form.SetBounds(0, 0, 1200, 300);
  EXPECT_EQ(form.BoundsRect(), (TRect{0, 0, 1024, 300}));

  // A size the window reports (the user dragged its edge) goes through the same question, and
  // the window is put back to the size the form kept.
  form.WindowResized(100, 100);
  EXPECT_EQ(form.Width(), 1024);
  EXPECT_EQ(backend.WindowOf(form)->Bounds(), (TRect{0, 0, 1024, 300}));
}
