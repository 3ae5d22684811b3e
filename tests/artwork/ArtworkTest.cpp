#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "artwork/Artwork.h"

namespace {

enum class Kind {
  Strip,    // four state cells side by side, magenta key colour
  Keyed,    // one picture, magenta key colour
  Glyph16,  // at most 16 colours, one of them full transparency
  Plain,
};

// Every picture a form asks for, with the size of the control it belongs to (for a strip,
// the size of one cell).
struct Expected {
  std::string name;
  int width, height;
  Kind kind;
};

std::vector<Expected> Table() {
  std::vector<Expected> t = {
      {"frmMain.img2", 1600, 10, Kind::Plain},
      {"frmMain.img3", 10, 1600, Kind::Plain},
      {"frmMain.img4", 10, 1600, Kind::Plain},
      {"frmMain.img1", 1598, 55, Kind::Plain},
      {"frmMain.btnHome", 80, 50, Kind::Strip},
      {"frmMain.btnReturn", 80, 50, Kind::Strip},
      {"frmMain.btnRefresh", 80, 50, Kind::Strip},
      {"frmMain.btnKey", 80, 50, Kind::Strip},
      {"frmMain.btnDown", 80, 50, Kind::Strip},
      {"frmMain.btnUp", 81, 50, Kind::Strip},
      {"frmMain.btnExit", 80, 50, Kind::Strip},
      {"frmExit.img1", 355, 94, Kind::Plain},
      {"frmExit.btnClose", 120, 50, Kind::Strip},
      {"frmExit.btnShut", 80, 50, Kind::Strip},
      {"frmExit.btnCancel", 80, 50, Kind::Strip},
      {"frmKey.img1", 726, 266, Kind::Plain},
      {"frmKey.btnClose", 80, 45, Kind::Strip},
      {"frmKey.btnMove", 80, 45, Kind::Strip},
      {"frmKey.imgCap", 14, 14, Kind::Keyed},
      {"frmKey.imgShift", 14, 14, Kind::Keyed},
      {"NeoForm.LeftImage", 10, 800, Kind::Plain},
      {"NeoForm.RightImage", 13, 800, Kind::Plain},
      {"NeoForm.GetFTopLeftImage", 81, 49, Kind::Plain},
      {"NeoForm.GetFTopCenterImage", 1024, 49, Kind::Plain},
      {"NeoForm.GetFTopRightImage", 94, 49, Kind::Plain},
      {"NeoForm.BottomLeftImage", 10, 12, Kind::Plain},
      {"NeoForm.BottomCenterImage", 1024, 12, Kind::Plain},
      {"NeoForm.BottomRightImage", 13, 12, Kind::Plain},
      {"NeoForm.MinImage", 17, 19, Kind::Plain},
      {"NeoForm.MaxImage", 17, 19, Kind::Plain},
      {"NeoForm.RestoreImage", 17, 19, Kind::Plain},
      {"NeoForm.CloseImage", 17, 19, Kind::Plain},
      {"Form1.cbSave", 20, 20, Kind::Glyph16},
      {"Form1.cbClose", 20, 20, Kind::Glyph16},
      {"MsgBox.Error", 32, 32, Kind::Plain},
      {"MsgBox.Information", 32, 32, Kind::Plain},
      {"MsgBox.Question", 32, 32, Kind::Plain},
      {"Icon.Tovira", 128, 128, Kind::Plain},
      {"Icon.Kelpad", 128, 128, Kind::Plain},
      {"Icon.Setuva", 128, 128, Kind::Plain},
  };
  // The 61 keys are 45 high and, but for these, 45 wide; there is no btn19.
  const std::map<int, int> wide = {{14, 90}, {15, 68}, {16, 87}, {17, 70}, {18, 55}, {32, 64},
                                   {44, 95}, {59, 55}, {60, 55}, {61, 55}, {62, 145}};
  for (int n = 1; n <= 62; ++n) {
    if (n == 19) continue;
    auto w = wide.find(n);
    t.push_back({"frmKey.btn" + std::to_string(n), w == wide.end() ? 45 : w->second, 45, Kind::Strip});
  }
  return t;
}

constexpr TColor kMagenta = 0xFF00FF;

uint8_t Red(TColor c) { return c & 0xFF; }
uint8_t Green(TColor c) { return (c >> 8) & 0xFF; }
uint8_t Blue(TColor c) { return (c >> 16) & 0xFF; }

uint32_t Argb(const TBitmap& b, int x, int y) { return b.Bits()[y * (b.Stride() / 4) + x]; }

// Antialiasing toward the key colour leaves pixels that are a blend of magenta and the picture;
// on screen they show as a pink fringe, since only the exact key colour is left out. None of
// the keyed pictures has purple in it, so any pixel well redder and bluer than green is one.
bool Fringe(TColor c) { return c != kMagenta && Red(c) > Green(c) + 30 && Blue(c) > Green(c) + 30; }

bool SameCells(const TBitmap& b, int cw, int first, int second) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < cw; ++x)
      if (b.Pixel(first * cw + x, y) != b.Pixel(second * cw + x, y)) return false;
  return true;
}

void PrintTo(const Expected& e, std::ostream* os) { *os << e.name; }

class PictureTest : public testing::TestWithParam<Expected> {};

TEST_P(PictureTest, ExistsWithItsControlsSizeAndKeyColour) {
  const Expected& e = GetParam();
  ASSERT_TRUE(Artwork::Has(e.name));
  TBitmap b = Artwork::Get(e.name);
  ASSERT_FALSE(b.Empty());

  if (e.kind == Kind::Strip) {
    EXPECT_EQ(b.Width() % 4, 0) << "width " << b.Width();
    EXPECT_LE(std::abs(b.Width() / 4 - e.width), 1) << "cell width " << b.Width() / 4;
    EXPECT_LE(std::abs(b.Height() - e.height), 1) << "height " << b.Height();
  } else {
    EXPECT_EQ(b.Width(), e.width);
    EXPECT_EQ(b.Height(), e.height);
  }

  if (e.kind == Kind::Strip || e.kind == Kind::Keyed) {
    EXPECT_EQ(b.Pixel(0, b.Height() - 1), kMagenta);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        ASSERT_FALSE(Fringe(b.Pixel(x, y))) << "pink fringe pixel at " << x << ", " << y;
  }

  if (e.kind == Kind::Strip) {
    int cw = b.Width() / 4;
    EXPECT_TRUE(SameCells(b, cw, 0, 1)) << "the disabled cell must show the normal picture";
    EXPECT_FALSE(SameCells(b, cw, 0, 2)) << "the pressed cell looks like the normal one";
    EXPECT_FALSE(SameCells(b, cw, 0, 3)) << "the hover cell looks like the normal one";
  }

  if (e.kind == Kind::Glyph16) {
    std::set<uint32_t> colours;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        uint32_t p = Argb(b, x, y);
        uint32_t alpha = p >> 24;
        EXPECT_TRUE(alpha == 0 || alpha == 255) << "partly transparent pixel at " << x << ", " << y;
        colours.insert(alpha == 0 ? 0 : p);
      }
    EXPECT_LE(colours.size(), 16u);
    EXPECT_EQ(Argb(b, 0, b.Height() - 1) >> 24, 0u) << "the background must be transparent";
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormPicture, PictureTest, testing::ValuesIn(Table()),
                         [](const testing::TestParamInfo<Expected>& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '.') c = '_';
                           return n;
                         });

TEST(Artwork, SharedPicturesAnswerToBothNames) {
  for (auto [a, b] : {std::pair{"frmMain.img3", "frmMain.img4"}, std::pair{"frmKey.imgCap", "frmKey.imgShift"}}) {
    TBitmap first = Artwork::Get(a), second = Artwork::Get(b);
    ASSERT_EQ(first.Width(), second.Width());
    ASSERT_EQ(first.Height(), second.Height());
    for (int y = 0; y < first.Height(); ++y)
      for (int x = 0; x < first.Width(); ++x) ASSERT_EQ(first.Pixel(x, y), second.Pixel(x, y)) << a << " vs " << b;
  }
}

TEST(Artwork, EveryListedNameDecodes) {
  std::vector<std::string> names = Artwork::Names();
  ASSERT_FALSE(names.empty());
  for (const auto& n : names) {
    EXPECT_TRUE(Artwork::Has(n)) << n;
    EXPECT_FALSE(Artwork::Get(n).Empty()) << n;
  }
}

TEST(Artwork, UnknownNameIsAClearError) {
  for (const char* name : {"btnHome", "frmMain.btnHome.png", "frmKey.btn19", ""}) {
    EXPECT_FALSE(Artwork::Has(name)) << name;
    EXPECT_THROW(Artwork::Get(name), std::out_of_range) << name;
  }
}

}  // namespace
