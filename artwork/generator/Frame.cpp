#include <cmath>

#include "artwork/generator/Layout.h"
#include "artwork/generator/Style.h"

// The settings tool's window frame: a glossy blue title bar, blue edges and bottom bar, all
// opaque JPEG pieces that the frame lays side by side. Columns and rows that meet across pieces
// use the same profiles, so the joins do not show.
namespace {

const Rgb kOutline = Rgb8(14, 38, 98);
const Rgb kInner = Rgb8(20, 52, 124);

constexpr int kTitleRows = 49, kTitleShown = 40;
constexpr int kLeftEdge = 10, kRightEdge = 13, kBottom = 12;

void TitleBand(cairo_t* cr, double x, double w) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, kTitleShown);
  AddStop(p, 0, Rgb8(112, 164, 240));
  AddStop(p, 0.48, Rgb8(70, 126, 220));
  AddStop(p, 0.52, Rgb8(44, 98, 202));
  AddStop(p, 1, Rgb8(32, 80, 180));
  cairo_rectangle(cr, x, 0, w, kTitleRows);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Style::VerticalGradient(cr, x, 0, w, 1, {Rgb8(178, 210, 252)});
}

// The title piece of width w; `left` and `right` say whether it carries the window's outer
// edge on that side. The dark line under the title runs between the edges' inner lines.
Image TitlePiece(int w, bool left, bool right) {
  Image img(w, kTitleRows);
  Ctx cr(img);
  TitleBand(cr, 0, w);
  double line0 = left ? kLeftEdge - 1 : 0, line1 = right ? w - kRightEdge + 1 : w;
  Style::VerticalGradient(cr, line0, kTitleShown - 1, line1 - line0, 1, {kInner});
  if (left) Style::VerticalGradient(cr, 0, 0, 1, kTitleRows, {kOutline});
  if (right) Style::VerticalGradient(cr, w - 1, 0, 1, kTitleRows, {kOutline});
  return img;
}

// Column colours of the left edge, outside in; the right edge uses them mirrored, with its
// extra columns in the middle.
Rgb EdgeColumn(int i, int width) {
  if (i == 0) return kOutline;
  if (i == width - 1) return kInner;
  double t = double(i - 1) / (width - 3);
  return Mix(Rgb8(88, 136, 218), Rgb8(42, 88, 182), t);
}

Image Edge(int width, bool mirrored) {
  Image img(width, 800);
  Ctx cr(img);
  for (int i = 0; i < width; ++i)
    Style::VerticalGradient(cr, mirrored ? width - 1 - i : i, 0, 1, 800, {EdgeColumn(i, width)});
  return img;
}

Rgb BottomRow(int j) {
  if (j == 0) return kInner;
  if (j == kBottom - 1) return kOutline;
  return Mix(Rgb8(76, 124, 210), Rgb8(40, 86, 178), double(j - 1) / (kBottom - 3));
}

// A bottom piece of width w. Where an edge comes down into a corner, the bar's top row keeps
// that edge's colours: corner(x) names the edge colour for column x, or is null where the bar's
// own top line runs. outline is the column of the window's outer edge, if the piece has one.
Image BottomPiece(int w, int outline, Rgb (*corner)(int x), int corner_to) {
  Image img(w, kBottom);
  Ctx cr(img);
  for (int j = 0; j < kBottom; ++j) Style::VerticalGradient(cr, 0, j, w, 1, {BottomRow(j)});
  if (corner)
    for (int x = 0; x < corner_to; ++x) Style::VerticalGradient(cr, x, 0, 1, 1, {corner(x)});
  if (outline >= 0) Style::VerticalGradient(cr, outline, 0, 1, kBottom, {kOutline});
  return img;
}

// One of the small title-bar buttons, drawn over the title bar as it lies beneath them.
Image SmallButton(const std::string& kind) {
  Image img(17, 19);
  {
    Ctx cr(img);
    cairo_translate(cr, 0, -4);  // the buttons sit four rows down the title bar
    TitleBand(cr, 0, 17);
  }
  Ctx cr(img);
  bool close = kind == "close";
  RoundedRect(cr, 0.5, 0.5, 16, 18, 3.5);
  SetSource(cr, kOutline);
  cairo_fill(cr);
  RoundedRect(cr, 1.5, 1.5, 14, 16, 2.5);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 1.5, 0, 17.5);
  AddStop(p, 0, close ? Rgb8(250, 150, 130) : Rgb8(168, 206, 252));
  AddStop(p, 0.48, close ? Rgb8(226, 74, 52) : Rgb8(92, 146, 232));
  AddStop(p, 0.52, close ? Rgb8(204, 42, 24) : Rgb8(60, 114, 214));
  AddStop(p, 1, close ? Rgb8(176, 28, 14) : Rgb8(46, 96, 198));
  cairo_set_source(cr, p);
  cairo_fill(cr);

  Ink ink;
  ink.shadow = 0.45;
  cairo_new_path(cr);
  if (kind == "min") {
    cairo_rectangle(cr, 5, 12, 7, 2.5);
  } else if (kind == "max") {
    cairo_rectangle(cr, 4.5, 5, 8, 8);
    cairo_rectangle(cr, 11, 6.8, -5, 4.7);  // reversed: the window's pane
  } else if (kind == "restore") {
    // The back window first; the front one then covers it with the button's own face.
    cairo_rectangle(cr, 6.5, 4, 6.5, 6);
    cairo_rectangle(cr, 12, 5.8, -4.5, 3.2);
    PaintPath(cr, ink);
    cairo_rectangle(cr, 3, 6.5, 8.5, 8.5);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_rectangle(cr, 4, 7.5, 6.5, 6.5);
    cairo_rectangle(cr, 9.5, 9.3, -4.5, 3.7);
  } else {
    Glyph::Cross(cr, 8.5, 9.5, 8, 2.2);
  }
  PaintPath(cr, ink);
  cairo_pattern_destroy(p);
  return img;
}

// A small copy of the program's icon for the window's control box corner.
void ControlBoxIcon(cairo_t* cr, double x, double y, double s) {
  RoundedRect(cr, x, y, s, s, s * 0.22);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + s);
  AddStop(p, 0, Rgb8(236, 244, 255));
  AddStop(p, 1, Rgb8(184, 208, 244));
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  SetSource(cr, kOutline);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_new_path(cr);
  Glyph::Gear(cr, x + s / 2, y + s / 2, s * 0.72);
  SetSource(cr, Style::kAccentBlue);
  cairo_fill(cr);
}

}  // namespace

void BuildFrame(Catalog& catalog) {
  const std::string section = "Setuva window frame";
  catalog.Add(section, "NeoForm.LeftImage", Format::Jpeg, Edge(kLeftEdge, false));
  catalog.Add(section, "NeoForm.RightImage", Format::Jpeg, Edge(kRightEdge, true));
  Image left = TitlePiece(81, true, false);
  {
    Ctx cr(left);
    ControlBoxIcon(cr, 12.5, 7.5, 18);
  }
  catalog.Add(section, "NeoForm.GetFTopLeftImage", Format::Jpeg, std::move(left));
  catalog.Add(section, "NeoForm.GetFTopCenterImage", Format::Jpeg, TitlePiece(1024, false, false));
  catalog.Add(section, "NeoForm.GetFTopRightImage", Format::Jpeg, TitlePiece(94, false, true));
  // The bottom centre piece covers the left piece from column 8 on, and the right piece shows
  // only its left 12 columns at the bar's right end, so its column j meets edge column j + 1.
  auto left_corner = [](int x) { return EdgeColumn(x, kLeftEdge); };
  auto right_corner = [](int x) { return EdgeColumn(kRightEdge - 2 - x, kRightEdge); };
  catalog.Add(section, "NeoForm.BottomLeftImage", Format::Jpeg, BottomPiece(10, 0, left_corner, 8));
  catalog.Add(section, "NeoForm.BottomCenterImage", Format::Jpeg, BottomPiece(1024, -1, nullptr, 0));
  catalog.Add(section, "NeoForm.BottomRightImage", Format::Jpeg, BottomPiece(13, 11, right_corner, 12));
  catalog.Add(section, "NeoForm.MinImage", Format::Jpeg, SmallButton("min"));
  catalog.Add(section, "NeoForm.MaxImage", Format::Jpeg, SmallButton("max"));
  catalog.Add(section, "NeoForm.RestoreImage", Format::Jpeg, SmallButton("restore"));
  catalog.Add(section, "NeoForm.CloseImage", Format::Jpeg, SmallButton("close"));
}
