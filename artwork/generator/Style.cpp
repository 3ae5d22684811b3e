#include "artwork/generator/Style.h"

#include <cmath>

namespace Style {

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<Rgb> colours) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  int n = int(colours.size()), i = 0;
  for (Rgb c : colours) AddStop(p, n > 1 ? double(i++) / (n - 1) : 0, c);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

namespace {

struct FaceColours {
  Rgb rim;                   // the outer line
  Rgb top, upper, lower, bottom;  // the body, from the top down; upper/lower meet at the middle
  double gloss;              // strength of the highlight on the upper half
  bool sunken;               // pressed: shadow along the top inside edge
};

void Face(cairo_t* cr, double w, double h, const FaceColours& c) {
  const double r = kCorner;
  RoundedRect(cr, 0, 0, w, h, r);
  SetSource(cr, c.rim);
  cairo_fill(cr);

  RoundedRect(cr, 1, 1, w - 2, h - 2, r - 1);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, 1, 0, h - 1);
  AddStop(body, 0, c.top);
  AddStop(body, 0.49, c.upper);
  AddStop(body, 0.51, c.lower);
  AddStop(body, 1, c.bottom);
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  if (c.gloss > 0) {
    // The highlight is a rounded band over the upper half, strongest at the top edge.
    RoundedRect(cr, 2, 1.5, w - 4, h * 0.47, r - 1.5);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 1.5, 0, 1.5 + h * 0.47);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, c.gloss);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, c.gloss * 0.2);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    // A thin bright line just inside the top edge, where the light first strikes.
    cairo_move_to(cr, r, 1.5);
    cairo_line_to(cr, w - r, 1.5);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, std::min(1.0, c.gloss * 1.4));
    cairo_stroke(cr);
  }
  if (c.sunken) {
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, 1, 0, 7);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
    cairo_rectangle(cr, 0, 0, w, 7);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
  }
  cairo_restore(cr);
  cairo_new_path(cr);
}

}  // namespace

void BarButtonFace(cairo_t* cr, double w, double h, State state) {
  switch (state) {
    case kPressed:
      Face(cr, w, h, {Rgb8(0, 48, 0), Rgb8(0, 78, 0), Rgb8(0, 96, 0), Rgb8(0, 100, 0), Rgb8(14, 122, 14), 0.08, true});
      break;
    case kHover:
      Face(cr, w, h, {Rgb8(0, 92, 0), Rgb8(150, 232, 140), Rgb8(70, 200, 70), Rgb8(36, 178, 36), Rgb8(20, 150, 20), 0.55, false});
      break;
    default:
      Face(cr, w, h, {Rgb8(0, 66, 0), Rgb8(88, 182, 88), Rgb8(16, 144, 16), Rgb8(0, 126, 0), Rgb8(0, 100, 0), 0.42, false});
  }
}

void KeyFace(cairo_t* cr, double w, double h, State state) {
  switch (state) {
    case kPressed:
      // Pushed in: the upper half falls into shadow and loses its colour.
      Face(cr, w, h, {Rgb8(16, 52, 18), Rgb8(118, 126, 118), Rgb8(146, 154, 146), Rgb8(16, 96, 26), Rgb8(10, 78, 18), 0.0, true});
      break;
    case kHover:
      Face(cr, w, h, {Rgb8(24, 96, 28), Rgb8(176, 244, 160), Rgb8(104, 214, 98), Rgb8(64, 188, 64), Rgb8(44, 160, 48), 0.5, false});
      break;
    default:
      Face(cr, w, h, {Rgb8(12, 64, 18), Rgb8(108, 196, 100), Rgb8(42, 152, 48), Rgb8(26, 132, 34), Rgb8(18, 108, 28), 0.4, false});
  }
}

Ink BarLegendInk(State state) {
  Ink ink;
  if (state == kHover) {
    ink.fill = kLegendBlue;
    ink.outline = 2.5;
    ink.outline_color = kWhite;
    ink.outline_alpha = 0.75;
  } else {
    ink.fill = kWhite;
    ink.outline = 2;
    ink.outline_color = Rgb8(0, 40, 0);
    ink.outline_alpha = 0.55;
    ink.shadow = 0.35;
  }
  return ink;
}

Ink KeyLegendInk(State state) {
  Ink ink;
  if (state == kHover) {
    ink.fill = kLegendBlue;
    ink.outline = 2.2;
    ink.outline_color = kWhite;
    ink.outline_alpha = 0.7;
  } else {
    ink.fill = kWhite;
    ink.outline = 2.2;
    ink.outline_color = {0, 0, 0};
  }
  return ink;
}

void GlossyDisc(cairo_t* cr, double cx, double cy, double r, Rgb top, Rgb bottom, Rgb rim) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy + 1, r, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetSource(cr, rim);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Specular highlight: an ellipse over the upper part.
  cairo_save(cr);
  cairo_translate(cr, cx, cy - r * 0.42);
  cairo_scale(cr, r * 0.72, r * 0.46);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_pattern_t* hi = cairo_pattern_create_linear(0, cy - r, 0, cy);
  cairo_pattern_add_color_stop_rgba(hi, 0, 1, 1, 1, 0.6);
  cairo_pattern_add_color_stop_rgba(hi, 1, 1, 1, 1, 0.05);
  cairo_set_source(cr, hi);
  cairo_fill(cr);
  cairo_pattern_destroy(hi);
  cairo_restore(cr);
}

}  // namespace Style
