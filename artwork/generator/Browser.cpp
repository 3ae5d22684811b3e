#include <cmath>
#include <functional>

#include "artwork/generator/Layout.h"
#include "artwork/generator/Style.h"

namespace {

using GlyphFn = std::function<void(cairo_t*, double cx, double cy, double s)>;

struct BarButton {
  const char* name;
  int x, y, w, h;  // place on its form (the bar panel, or the dialog)
  const char* legend;
  GlyphFn glyph;
};

const std::vector<BarButton>& BarButtons() {
  static const std::vector<BarButton> buttons = {
      {"frmMain.btnHome", 16, 4, 80, 50, "首页", Glyph::Home},
      {"frmMain.btnReturn", 112, 4, 80, 50, "返回", Glyph::Back},
      {"frmMain.btnRefresh", 208, 4, 80, 50, "刷新", Glyph::Refresh},
      {"frmMain.btnKey", 304, 4, 80, 50, "键盘", Glyph::Keyboard},
      {"frmMain.btnDown", 440, 4, 80, 50, "下移", Glyph::ArrowDown},
      {"frmMain.btnUp", 536, 4, 81, 50, "上移", Glyph::ArrowUp},
      {"frmMain.btnExit", 664, 4, 80, 50, "退出", Glyph::Exit},
  };
  return buttons;
}

const std::vector<BarButton>& ExitButtons() {
  static const std::vector<BarButton> buttons = {
      {"frmExit.btnClose", 15, 34, 120, 50, "关闭浏览器", Glyph::CloseWindow},
      {"frmExit.btnShut", 155, 34, 80, 50, "关机", Glyph::Power},
      {"frmExit.btnCancel", 260, 34, 80, 50,
       "取消", [](cairo_t* cr, double cx, double cy, double s) { Glyph::Cross(cr, cx, cy, s * 0.8, s * 0.19); }},
  };
  return buttons;
}

constexpr double kDisc = 28, kDiscGap = 5;

// The largest legend size, up to 18 pixels, at which every legend of a group fits beside its
// disc; one size per group keeps the buttons of a form alike.
double LegendSize(const std::vector<BarButton>& group) {
  Image scratch(1, 1);
  Ctx cr(scratch);
  double px = 18;
  for (const auto& b : group)
    while (px > 12) {
      Text t(cr, b.legend, {px, true});
      if (kDisc + kDiscGap + t.InkWidth() <= b.w - 8) break;
      px -= 0.5;
    }
  return px;
}

// A bar button: the green face, a white disc holding the symbol, and the legend beside it.
void PaintBarButton(cairo_t* cr, int w, int h, State state, const BarButton& b, double px) {
  Style::BarButtonFace(cr, w, h, state);

  const double disc = kDisc, gap = kDiscGap;
  Font font = Style::kLegend;
  font.px = px;
  double tw = Text(cr, b.legend, font).InkWidth();
  double left = std::round((w - (disc + gap + tw)) / 2);
  double cx = left + disc / 2, cy = h / 2.0;

  Rgb top{1, 1, 1}, bottom = Rgb8(206, 228, 206), symbol = Rgb8(0, 120, 0);
  if (state == kPressed) {
    top = Rgb8(224, 232, 224);
    bottom = Rgb8(180, 198, 180);
    symbol = Rgb8(0, 88, 0);
  } else if (state == kHover) {
    bottom = Rgb8(214, 236, 255);
    symbol = Style::kLegendBlue;
  }
  Style::GlossyDisc(cr, cx, cy, disc / 2, top, bottom, Rgb8(0, 64, 0));
  cairo_new_path(cr);
  b.glyph(cr, cx, cy, 17);
  SetSource(cr, symbol);
  cairo_fill(cr);

  Text t(cr, b.legend, font);
  double ty = std::round(cy - t.InkHeight() / 2);
  PaintText(cr, t, left + disc + gap, ty, Style::BarLegendInk(state));
}

// The bar's background: lit from the top, a soft green so both the black clock and the white
// vendor labels stay readable on it.
Image BarBackground() {
  Image img(1598, 55);
  Ctx cr(img);
  Style::VerticalGradient(cr, 0, 0, 1598, 55, {Rgb8(128, 190, 120), Rgb8(84, 156, 82), Rgb8(48, 122, 52)});
  Style::VerticalGradient(cr, 0, 0, 1598, 1, {Rgb8(206, 238, 198)});
  Style::VerticalGradient(cr, 0, 54, 1598, 1, {Rgb8(28, 84, 32)});
  return img;
}

Image TopStrip() {
  Image img(1600, 10);
  Ctx cr(img);
  Style::VerticalGradient(cr, 0, 0, 1600, 9, {Rgb8(222, 244, 214), Rgb8(178, 222, 168), Rgb8(144, 200, 136)});
  Style::VerticalGradient(cr, 0, 9, 1600, 1, {Rgb8(92, 146, 88)});
  return img;
}

// The side strips are the same picture left and right, so their profile is symmetric: a
// rounded rail, lit from above, darker toward both edges.
Image SideStrip() {
  Image img(10, 1600);
  Ctx cr(img);
  static const int shade[10][3] = {{92, 146, 88},   {150, 204, 142}, {178, 222, 168}, {196, 234, 188},
                                   {206, 240, 198}, {206, 240, 198}, {196, 234, 188}, {178, 222, 168},
                                   {150, 204, 142}, {92, 146, 88}};
  for (int x = 0; x < 10; ++x) Style::VerticalGradient(cr, x, 0, 1, 1600, {Rgb8(shade[x][0], shade[x][1], shade[x][2])});
  return img;
}

Image ExitBackground() {
  Image img(355, 94);
  Ctx cr(img);
  Style::VerticalGradient(cr, 0, 0, 355, 94, {Rgb8(232, 248, 226), Rgb8(204, 236, 196), Rgb8(170, 216, 160)});
  Style::VerticalGradient(cr, 0, 0, 355, 1, {Rgb8(250, 255, 248)});
  return img;
}

}  // namespace

void BuildBrowser(Catalog& catalog) {
  const std::string main = "Tovira main window";
  catalog.Add(main, "frmMain.img2", Format::Png24, TopStrip());
  catalog.Add(main, "frmMain.img3", Format::Png24, SideStrip());
  catalog.AddAlias("frmMain.img4", "frmMain.img3");
  const Image& bar = catalog.Add(main, "frmMain.img1", Format::Jpeg, BarBackground()).image;
  double px = LegendSize(BarButtons());
  for (const auto& b : BarButtons()) {
    // The bar picture lies at (1, 1) on the panel, inside its bevel.
    Image strip = MakeStrip(b.w, b.h, [&](cairo_t* cr, State s) { PaintBarButton(cr, b.w, b.h, s, b, px); }, bar,
                            b.x - 1, b.y - 1);
    catalog.Add(main, b.name, Format::Png24, std::move(strip));
  }

  const std::string exit = "Tovira exit dialog";
  const Image& bg = catalog.Add(exit, "frmExit.img1", Format::Jpeg, ExitBackground()).image;
  px = LegendSize(ExitButtons());
  for (const auto& b : ExitButtons()) {
    Image strip = MakeStrip(b.w, b.h, [&](cairo_t* cr, State s) { PaintBarButton(cr, b.w, b.h, s, b, px); }, bg, b.x, b.y);
    catalog.Add(exit, b.name, Format::Png24, std::move(strip));
  }
}

const std::vector<Placed>& BarLayout() {
  static const std::vector<Placed> placed = [] {
    std::vector<Placed> v;
    for (const auto& b : BarButtons()) v.push_back({b.name, b.x, b.y, 4});
    return v;
  }();
  return placed;
}

const std::vector<Placed>& ExitLayout() {
  static const std::vector<Placed> placed = [] {
    std::vector<Placed> v{{"frmExit.img1", 0, 0, 1}};
    for (const auto& b : ExitButtons()) v.push_back({b.name, b.x, b.y, 4});
    return v;
  }();
  return placed;
}
