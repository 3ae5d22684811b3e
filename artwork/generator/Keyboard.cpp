#include <cmath>
#include <string>

#include "artwork/generator/Layout.h"
#include "artwork/generator/Style.h"

namespace {

enum class Kind {
  Letter,  // capital upper left, small letter lower right
  Symbol,  // shifted character upper left, unshifted lower right
  Named,   // English name over Chinese name, or one Chinese line
  Toggle,  // a named key with a socket for its indicator dot at the left end
  Arrow,   // a white arrow in a blue disc
  Move,    // the four-way arrow followed by a word
};

struct Key {
  std::string name;
  int x, y, w, h;
  Kind kind;
  std::string upper, lower;  // for an arrow, upper holds the direction: "up", "down", ...
};

constexpr int kH = 45;

const std::vector<Key>& Keys() {
  static const std::vector<Key> keys = [] {
    std::vector<Key> k;
    auto add = [&](int n, int x, int y, int w, Kind kind, std::string upper, std::string lower = "") {
      k.push_back({"frmKey.btn" + std::to_string(n), x, y, w, kH, kind, std::move(upper), std::move(lower)});
    };
    auto letter = [&](int n, int x, int y, char c) {
      add(n, x, y, 45, Kind::Letter, std::string(1, c), std::string(1, char(c - 'A' + 'a')));
    };
    using K = Kind;
    // Row 1.
    add(1, 0, 0, 45, K::Symbol, "~", "`");
    add(2, 48, 0, 45, K::Symbol, "!", "1");
    add(3, 96, 0, 45, K::Symbol, "@", "2");
    add(4, 144, 0, 45, K::Symbol, "#", "3");
    add(5, 192, 0, 45, K::Symbol, "$", "4");
    add(6, 240, 0, 45, K::Symbol, "%", "5");
    add(7, 288, 0, 45, K::Symbol, "^", "6");
    add(8, 337, 0, 45, K::Symbol, "&", "7");
    add(9, 385, 0, 45, K::Symbol, "*", "8");
    add(10, 433, 0, 45, K::Symbol, "(", "9");
    add(11, 481, 0, 45, K::Symbol, ")", "0");
    add(12, 529, 0, 45, K::Symbol, "_", "-");
    add(13, 577, 0, 45, K::Symbol, "+", "=");
    add(14, 624, 0, 90, K::Named, "Backspace", "退格");
    // Row 2.
    add(15, 0, 48, 68, K::Named, "Tab", "制表");
    const char* row2 = "QWERTYUIOP";
    const int row2x[] = {73, 121, 170, 218, 266, 314, 363, 411, 459, 507};
    for (int i = 0; i < 10; ++i) letter(20 + i, row2x[i], 48, row2[i]);
    add(30, 556, 48, 45, K::Symbol, "{", "[");
    add(31, 604, 48, 45, K::Symbol, "}", "]");
    add(32, 650, 48, 64, K::Symbol, "|", "\\");
    // Row 3.
    add(16, 0, 96, 87, K::Toggle, "Caps Lock", "大写锁定");
    const char* row3 = "ASDFGHJKL";
    const int row3x[] = {91, 140, 188, 236, 284, 333, 381, 429, 477};
    for (int i = 0; i < 9; ++i) letter(33 + i, row3x[i], 96, row3[i]);
    add(42, 526, 96, 45, K::Symbol, ":", ";");
    add(43, 574, 96, 45, K::Symbol, "\"", "'");
    add(44, 619, 96, 95, K::Named, "Enter", "回车");
    // Row 4.
    add(17, 0, 144, 70, K::Toggle, "Shift", "上档");
    const char* row4 = "ZXCVBNM";
    const int row4x[] = {73, 121, 170, 218, 266, 314, 363};
    for (int i = 0; i < 7; ++i) letter(45 + i, row4x[i], 143, row4[i]);
    add(52, 411, 143, 45, K::Symbol, "<", ",");
    add(53, 459, 143, 45, K::Symbol, ">", ".");
    add(54, 507, 143, 45, K::Symbol, "?", "/");
    add(56, 561, 143, 45, K::Arrow, "up");
    add(59, 659, 143, 55, K::Named, "PageUp", "上页");
    // Row 5.
    add(18, 0, 192, 55, K::Named, "切换", "输入法");
    add(61, 64, 192, 55, K::Named, "Delete", "删除");
    add(62, 150, 192, 145, K::Named, "空格");
    k.push_back({"frmKey.btnClose", 323, 192, 80, kH, K::Named, "关闭键盘", ""});
    k.push_back({"frmKey.btnMove", 419, 192, 80, kH, K::Move, "拖动", ""});
    add(58, 514, 192, 45, K::Arrow, "left");
    add(57, 561, 192, 45, K::Arrow, "down");
    add(55, 608, 192, 45, K::Arrow, "right");
    add(60, 659, 192, 55, K::Named, "PageDn", "下页");
    return k;
  }();
  return keys;
}

// The indicator dots lie at (3, 19) on the Caps Lock and Shift keys.
constexpr int kDotX = 3, kDotY = 19, kDot = 14;

bool IsAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// Two characters, one upper left and one lower right, each on its own baseline so that
// small marks (comma, grave accent) sit where they belong in the line. Letters hug the
// corners; symbols, whose widths vary far more, are centred in their quarter of the key.
void PaintCorners(cairo_t* cr, const Key& k, State state, double upper_px, double lower_px, bool centred) {
  Ink ink = Style::KeyLegendInk(state);
  Text up(cr, k.upper, {upper_px, true});
  cairo_new_path(cr);
  double ux = centred ? std::round(4 + (k.w * 0.5 - 4 - up.InkWidth()) / 2) : 7;
  up.PathOnBaseline(ux, std::round(5 + upper_px * 0.74));
  PaintPath(cr, ink);
  Text low(cr, k.lower, {lower_px, true});
  cairo_new_path(cr);
  double lx = centred ? std::round(k.w * 0.5 + (k.w * 0.5 - 4 - low.InkWidth()) / 2) : k.w - 7 - low.InkWidth();
  low.PathOnBaseline(lx, k.h - 8);
  PaintPath(cr, ink);
}

void PaintNamed(cairo_t* cr, const Key& k, State state, double left) {
  Ink ink = Style::KeyLegendInk(state);
  double cx = (left + k.w) / 2.0;
  auto line = [&](const std::string& s, double baseline, double px) {
    Font f{px, true};
    double room = k.w - left - 8;
    for (;;) {
      Text t(cr, s, f);
      if (t.InkWidth() <= room || f.px <= 9) {
        cairo_new_path(cr);
        t.PathOnBaseline(std::round(cx - t.InkWidth() / 2), baseline);
        PaintPath(cr, ink);
        return;
      }
      f.px -= 0.5;
    }
  };
  if (k.lower.empty()) {
    Text t(cr, k.upper, {15, true});
    line(k.upper, std::round(k.h / 2.0 + t.InkAscent() / 2), 15);
    return;
  }
  line(k.upper, IsAscii(k.upper) ? 19.5 : 20.5, IsAscii(k.upper) ? 12.5 : 13);
  line(k.lower, 36.5, 13);
}

void PaintArrow(cairo_t* cr, const Key& k, State state) {
  double angle = k.upper == "up" ? -M_PI / 2 : k.upper == "down" ? M_PI / 2 : k.upper == "left" ? M_PI : 0;
  double cx = k.w / 2.0, cy = k.h / 2.0;
  // In the hover cell the arrow takes the legend blue and the disc turns white.
  Rgb top = Rgb8(96, 160, 255), bottom = Rgb8(10, 64, 200), arrow = Style::kWhite;
  if (state == kPressed) {
    top = Rgb8(60, 110, 210);
    bottom = Rgb8(6, 40, 150);
  } else if (state == kHover) {
    top = Style::kWhite;
    bottom = Rgb8(206, 226, 255);
    arrow = Style::kLegendBlue;
  }
  Style::GlossyDisc(cr, cx, cy, 14.5, top, bottom, Style::kDarkBlue);
  cairo_new_path(cr);
  Glyph::BlockArrow(cr, cx, cy, 19, angle);
  Ink ink;
  ink.fill = arrow;
  ink.shadow = state == kHover ? 0 : 0.35;
  PaintPath(cr, ink);
}

void PaintMove(cairo_t* cr, const Key& k, State state) {
  Text t(cr, k.upper, {15, true});
  const double arrows = 22, gap = 4;
  double left = std::round((k.w - arrows - gap - t.InkWidth()) / 2);
  cairo_new_path(cr);
  Glyph::MoveArrows(cr, left + arrows / 2, k.h / 2.0, arrows);
  Ink arrow;
  arrow.fill = state == kPressed ? Rgb8(10, 64, 190) : Style::kAccentBlue;
  arrow.outline = 2.4;
  arrow.outline_color = Style::kWhite;
  PaintPath(cr, arrow);
  double baseline = std::round(k.h / 2.0 + t.InkAscent() / 2);
  cairo_new_path(cr);
  t.PathOnBaseline(left + arrows + gap, baseline);
  PaintPath(cr, Style::KeyLegendInk(state));
}

void PaintKey(cairo_t* cr, const Key& k, State state) {
  Style::KeyFace(cr, k.w, k.h, state);
  switch (k.kind) {
    case Kind::Letter: PaintCorners(cr, k, state, 20, 16, false); break;
    case Kind::Symbol: PaintCorners(cr, k, state, 20, 21, true); break;
    case Kind::Named: PaintNamed(cr, k, state, 0); break;
    case Kind::Toggle:
      // An unlit socket where the indicator dot shows when the toggle is on.
      cairo_arc(cr, kDotX + kDot / 2.0, kDotY + kDot / 2.0, kDot / 2.0, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0, 0.12, 0.02, 0.45);
      cairo_fill(cr);
      cairo_arc(cr, kDotX + kDot / 2.0, kDotY + kDot / 2.0 + 0.6, kDot / 2.0 - 1.5, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.55, 0.75, 0.55, 0.35);
      cairo_fill(cr);
      PaintNamed(cr, k, state, kDotX + kDot + 1);
      break;
    case Kind::Arrow: PaintArrow(cr, k, state); break;
    case Kind::Move: PaintMove(cr, k, state); break;
  }
}

// The keyboard's background: a deep green, lit from the top, so the lighter keys stand out.
Image KeyboardBackground() {
  Image img(726, 266);
  Ctx cr(img);
  Style::VerticalGradient(cr, 0, 0, 726, 266, {Rgb8(58, 124, 66), Rgb8(30, 88, 42), Rgb8(16, 60, 28)});
  cairo_pattern_t* glow = cairo_pattern_create_radial(363, -60, 40, 363, -60, 420);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
  cairo_rectangle(cr, 0, 0, 726, 266);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  Style::VerticalGradient(cr, 0, 0, 726, 1, {Rgb8(140, 196, 140)});
  return img;
}

// The indicator: a blue dot with a light cyan centre and a dark blue rim.
Image Dot() {
  Image art(kDot, kDot);
  Ctx cr(art);
  double c = kDot / 2.0;
  cairo_arc(cr, c, c, c, 0, 2 * M_PI);
  SetSource(cr, Style::kDarkBlue);
  cairo_fill(cr);
  cairo_arc(cr, c, c, c - 1.3, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_radial(c, c - 0.5, 0.5, c, c, c - 1.3);
  AddStop(p, 0, Rgb8(200, 255, 255));
  AddStop(p, 0.35, Rgb8(90, 220, 255));
  AddStop(p, 0.8, Rgb8(16, 110, 240));
  AddStop(p, 1, Rgb8(10, 70, 190));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_save(cr);
  cairo_translate(cr, c, 3.6);
  cairo_scale(cr, 3.6, 2);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_fill(cr);
  return art;
}

}  // namespace

void BuildKeyboard(Catalog& catalog) {
  const std::string section = "Kelpad keyboard window";
  const Image& bg = catalog.Add(section, "frmKey.img1", Format::Jpeg, KeyboardBackground()).image;
  for (const auto& k : Keys()) {
    Image strip = MakeStrip(k.w, k.h, [&](cairo_t* cr, State s) { PaintKey(cr, k, s); }, bg, k.x, k.y);
    catalog.Add(section, k.name, Format::Png24, std::move(strip));
  }
  // The dot lies over the Caps Lock and Shift keys; its rim is composed over their resting face.
  const Image& caps = catalog.Find("frmKey.btn16").image;
  catalog.Add(section, "frmKey.imgCap", Format::Png24, KeyOnto(Dot(), caps.Crop(kDotX, kDotY, kDot, kDot)));
  catalog.AddAlias("frmKey.imgShift", "frmKey.imgCap");
}

const std::vector<Placed>& KeyboardLayout() {
  static const std::vector<Placed> placed = [] {
    std::vector<Placed> v{{"frmKey.img1", 0, 0, 1}};
    for (const auto& k : Keys()) v.push_back({k.name, k.x, k.y, 4});
    return v;
  }();
  return placed;
}
