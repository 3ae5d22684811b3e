#include <gtest/gtest.h>

#include "platform/gfx/TRegion.h"

namespace {

TRegion Box() { return TRegion::Rect(0, 0, 80, 50); }
TRegion Rounded() { return TRegion::RoundRect(0, 0, 80, 50, 6, 6); }
TRegion Oval() { return TRegion::Ellipse(0, 0, 80, 50); }
// The inner shape of a pressed capsule button of 80 × 50.
TRegion PressedCapsule() { return TRegion::RoundRect(1, 1, 78, 48, 48, 48); }

TEST(Region, ContainsFollowsTheShapeAtItsCornersAndEdges) {
  const TRegion box = Box(), rounded = Rounded(), oval = Oval(), pressed = PressedCapsule();
  // A corner far taller than wide: the top edge still runs between the corners' centres.
  const TRegion narrow = TRegion::RoundRect(0, 0, 80, 50, 2, 40);
  const TRegion corner1 = TRegion::RoundRect(0, 0, 80, 50, 1, 1);
  const TRegion corner0 = TRegion::RoundRect(0, 0, 80, 50, 0, 0);
  const TRegion reversed = TRegion::Rect(80, 50, 0, 0);
  const struct {
    const char* shape;
    const TRegion& region;
    int x, y;
    bool inside;
  } cases[] = {
      {"rect", box, 0, 0, true},          {"rect", box, 79, 49, true},          {"rect", box, 80, 0, false},
      {"rect", box, 0, 50, false},        {"rect", box, -1, 0, false},
      {"round", rounded, 0, 0, false},    {"round", rounded, 79, 0, false},     {"round", rounded, 0, 49, false},
      {"round", rounded, 79, 49, false},  {"round", rounded, 3, 3, true},       {"round", rounded, 76, 46, true},
      {"round", rounded, 40, 0, true},    {"round", rounded, 0, 25, true},      {"round", rounded, 80, 25, false},
      {"round", rounded, 40, 50, false},
      {"oval", oval, 0, 0, false},        {"oval", oval, 79, 0, false},         {"oval", oval, 0, 49, false},
      {"oval", oval, 79, 49, false},      {"oval", oval, 40, 25, true},         {"oval", oval, 0, 25, true},
      {"oval", oval, 79, 25, true},       {"oval", oval, 40, 0, true},          {"oval", oval, 40, 49, true},
      {"oval", oval, 80, 25, false},      {"oval", oval, 10, 5, false},
      {"pressed", pressed, 1, 1, false},  {"pressed", pressed, 0, 24, false},   {"pressed", pressed, 1, 24, true},
      {"pressed", pressed, 77, 24, true}, {"pressed", pressed, 78, 24, false},  {"pressed", pressed, 39, 1, true},
      {"narrow corner", narrow, 1, 0, true},  {"narrow corner", narrow, 0, 0, false},
      {"corner 1", corner1, 0, 0, true},  {"corner 0", corner0, 79, 49, true}, {"reversed", reversed, 0, 0, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.region.Contains(c.x, c.y), c.inside) << c.shape << " at (" << c.x << ", " << c.y << ")";
}

TEST(Region, CurvedShapesAreSymmetricAndHaveOneSpanPerRow) {
  struct Shape {
    TRect box;
    TRegion region;
  };
  const Shape shapes[] = {
      {{0, 0, 80, 50}, Rounded()},
      {{0, 0, 80, 50}, Oval()},
      {{1, 1, 78, 48}, PressedCapsule()},
      {{3, 2, 48, 47}, TRegion::Ellipse(3, 2, 48, 47)}, // odd sizes
      {{0, 0, 145, 40}, TRegion::RoundRect(0, 0, 145, 40, 40, 40)},
      {{0, 0, 4, 40}, TRegion::Ellipse(0, 0, 4, 40)},
  };
  for (const Shape& s : shapes) {
    const TRect& b = s.box;
    for (int y = b.Top - 1; y <= b.Bottom; ++y)
      for (int x = b.Left - 1; x <= b.Right; ++x) {
        const bool in = s.region.Contains(x, y);
        if (!b.Contains(x, y)) {
          ASSERT_FALSE(in) << x << "," << y;
        }
        ASSERT_EQ(in, s.region.Contains(b.Left + b.Right - 1 - x, y)) << x << "," << y;
        ASSERT_EQ(in, s.region.Contains(x, b.Top + b.Bottom - 1 - y)) << x << "," << y;
      }
    ASSERT_FALSE(s.region.Empty());
    for (const auto& row : s.region.Rows()) EXPECT_EQ(row.size(), 1u);
    const TRect bounds = s.region.BoundsRect();
    EXPECT_EQ(bounds.Top, s.region.Top());
    EXPECT_EQ(bounds.Intersect(b), bounds);
  }
}

TEST(Region, CornerLargerThanTheBoxIsClampedToIt) {
  const TRegion clamped = TRegion::RoundRect(0, 0, 20, 10, 100, 100);
  const TRegion oval = TRegion::Ellipse(0, 0, 20, 10);
  EXPECT_EQ(clamped.Top(), oval.Top());
  ASSERT_EQ(clamped.Rows().size(), oval.Rows().size());
  for (size_t i = 0; i < oval.Rows().size(); ++i) {
    EXPECT_EQ(clamped.Rows()[i][0].Left, oval.Rows()[i][0].Left);
    EXPECT_EQ(clamped.Rows()[i][0].Right, oval.Rows()[i][0].Right);
  }
}

TEST(Region, EmptyWhenTheBoxHasNoArea) {
  EXPECT_TRUE(TRegion::Rect(5, 5, 5, 10).Empty());
  EXPECT_TRUE(TRegion::Ellipse(0, 3, 10, 3).Empty());
  EXPECT_TRUE(TRegion().Empty());
  EXPECT_FALSE(TRegion().Contains(0, 0));
  EXPECT_TRUE(TRegion().BoundsRect().IsEmpty());
}

TEST(Region, OffsetMovesEveryPixel) {
  TRegion moved = Rounded();
  moved.Offset(10, -5);
  const TRegion original = Rounded();
  for (int y = -1; y <= 50; ++y)
    for (int x = -1; x <= 80; ++x) ASSERT_EQ(moved.Contains(x + 10, y - 5), original.Contains(x, y));
  EXPECT_EQ(moved.BoundsRect(), (TRect{10, -5, 90, 45}));
}

TEST(Region, LiveCountReturnsToItsStartWhenRegionsGo) {
  const int before = TRegion::LiveCount();
  {
    TRegion a = Oval();
    TRegion b = a;
    TRegion c = std::move(b);
    b = c;
    c = std::move(a);
    EXPECT_EQ(TRegion::LiveCount(), before + 3);
    EXPECT_TRUE(c.Contains(40, 25));
  }
  EXPECT_EQ(TRegion::LiveCount(), before);
}

} // namespace
