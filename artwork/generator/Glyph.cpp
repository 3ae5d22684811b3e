#include <cmath>

#include "artwork/generator/Style.h"

// Every symbol is built as a fillable outline (nonzero winding; holes run the other way), so a
// caller can give it an outline or a shadow like any legend.
namespace Glyph {

namespace {

// A rectangle from (x0, y0) to (x1, y1); reversed, it cuts a hole.
void Rect(cairo_t* cr, double x0, double y0, double x1, double y1, bool reversed = false) {
  cairo_move_to(cr, x0, y0);
  if (!reversed) {
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x0, y1);
  } else {
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x1, y0);
  }
  cairo_close_path(cr);
}

// A bar of the given thickness with round ends, from (x0, y0) to (x1, y1).
void Bar(cairo_t* cr, double x0, double y0, double x1, double y1, double t) {
  double a = std::atan2(y1 - y0, x1 - x0);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1, y1, t / 2, a - M_PI / 2, a + M_PI / 2);
  cairo_arc(cr, x0, y0, t / 2, a + M_PI / 2, a + 3 * M_PI / 2);
  cairo_close_path(cr);
}

// A ring segment of mean radius r and thickness t between two angles, with round ends.
void Arc(cairo_t* cr, double cx, double cy, double r, double t, double a0, double a1) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r + t / 2, a0, a1);
  cairo_arc(cr, cx + r * std::cos(a1), cy + r * std::sin(a1), t / 2, a1, a1 + M_PI);
  cairo_arc_negative(cr, cx, cy, r - t / 2, a1, a0);
  cairo_arc(cr, cx + r * std::cos(a0), cy + r * std::sin(a0), t / 2, a0 + M_PI, a0 + 2 * M_PI);
  cairo_close_path(cr);
}

// A block arrow pointing right in a unit box, transformed by the caller.
void UnitArrow(cairo_t* cr) {
  cairo_move_to(cr, 0.5, 0);
  cairo_line_to(cr, 0.02, -0.46);
  cairo_line_to(cr, 0.02, -0.18);
  cairo_line_to(cr, -0.5, -0.18);
  cairo_line_to(cr, -0.5, 0.18);
  cairo_line_to(cr, 0.02, 0.18);
  cairo_line_to(cr, 0.02, 0.46);
  cairo_close_path(cr);
}

}  // namespace

void BlockArrow(cairo_t* cr, double cx, double cy, double s, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, s, s);
  UnitArrow(cr);
  cairo_restore(cr);
}

void ArrowDown(cairo_t* cr, double cx, double cy, double s) { BlockArrow(cr, cx, cy, s, M_PI / 2); }
void ArrowUp(cairo_t* cr, double cx, double cy, double s) { BlockArrow(cr, cx, cy, s, -M_PI / 2); }
void Back(cairo_t* cr, double cx, double cy, double s) { BlockArrow(cr, cx, cy, s, M_PI); }

void Home(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  // Roof.
  cairo_move_to(cr, cx, cy - 8 * u);
  cairo_line_to(cr, cx + 8.5 * u, cy - 0.2 * u);
  cairo_line_to(cr, cx + 6.2 * u, cy - 0.2 * u);
  cairo_line_to(cr, cx, cy - 5.4 * u);
  cairo_line_to(cr, cx - 6.2 * u, cy - 0.2 * u);
  cairo_line_to(cr, cx - 8.5 * u, cy - 0.2 * u);
  cairo_close_path(cr);
  // Walls under the roof, with a door.
  cairo_move_to(cr, cx, cy - 3.6 * u);
  cairo_line_to(cr, cx + 5.4 * u, cy + 1 * u);
  cairo_line_to(cr, cx + 5.4 * u, cy + 7.5 * u);
  cairo_line_to(cr, cx - 5.4 * u, cy + 7.5 * u);
  cairo_line_to(cr, cx - 5.4 * u, cy + 1 * u);
  cairo_close_path(cr);
  Rect(cr, cx - 1.7 * u, cy + 2.4 * u, cx + 1.7 * u, cy + 7.5 * u, true);
}

void Refresh(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  double r = 6 * u, t = 2.8 * u;
  double a0 = -M_PI * 0.22, a1 = M_PI * 1.2;
  Arc(cr, cx, cy, r, t, a0, a1);
  // Arrowhead at the end of the arc, pointing on round (clockwise) into the gap.
  double hx = cx + r * std::cos(a1), hy = cy + r * std::sin(a1);
  double tx = -std::sin(a1), ty = std::cos(a1);  // clockwise tangent in screen space
  double nx = std::cos(a1), ny = std::sin(a1);   // outward normal
  cairo_move_to(cr, hx + tx * 4.8 * u, hy + ty * 4.8 * u);
  cairo_line_to(cr, hx - tx * 0.6 * u + nx * 4.4 * u, hy - ty * 0.6 * u + ny * 4.4 * u);
  cairo_line_to(cr, hx - tx * 0.6 * u - nx * 4.4 * u, hy - ty * 0.6 * u - ny * 4.4 * u);
  cairo_close_path(cr);
}

void Keyboard(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  double w = 18 * u, h = 12 * u;
  double x0 = cx - w / 2, y0 = cy - h / 2;
  RoundedRect(cr, x0, y0, w, h, 2 * u);
  // Keys are holes: three rows, the last one a space bar.
  double k = 2.2 * u, gap = 1.1 * u;
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 5; ++col) {
      double kx = x0 + 1.9 * u + col * (k + gap) + (row ? 0.8 * u : 0);
      double ky = y0 + 1.8 * u + row * (k + gap);
      Rect(cr, kx, ky, kx + k, ky + k, true);
    }
  Rect(cr, x0 + 4.5 * u, y0 + 1.8 * u + 2 * (k + gap), x0 + w - 4.5 * u, y0 + 1.8 * u + 2 * (k + gap) + k, true);
}

void Exit(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  double t = 2.4 * u;
  // An open frame on the left, and an arrow leaving it to the right.
  Bar(cr, cx + 1.5 * u, cy - 7 * u, cx - 6.5 * u, cy - 7 * u, t);
  Bar(cr, cx - 6.5 * u, cy - 7 * u, cx - 6.5 * u, cy + 7 * u, t);
  Bar(cr, cx - 6.5 * u, cy + 7 * u, cx + 1.5 * u, cy + 7 * u, t);
  Bar(cr, cx - 2.5 * u, cy, cx + 4 * u, cy, t);
  cairo_move_to(cr, cx + 9 * u, cy);
  cairo_line_to(cr, cx + 3.4 * u, cy - 5 * u);
  cairo_line_to(cr, cx + 3.4 * u, cy + 5 * u);
  cairo_close_path(cr);
}

void CloseWindow(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  double x0 = cx - 8 * u, y0 = cy - 6.5 * u, x1 = cx + 8 * u, y1 = cy + 6.5 * u;
  // A window: title band and frame, with a cross in its pane.
  Rect(cr, x0, y0, x1, y1);
  Rect(cr, x0 + 1.6 * u, y0 + 3.6 * u, x1 - 1.6 * u, y1 - 1.6 * u, true);
  Bar(cr, cx - 2.6 * u, cy - 0.3 * u, cx + 2.6 * u, cy + 4.9 * u, 2 * u);
  Bar(cr, cx + 2.6 * u, cy - 0.3 * u, cx - 2.6 * u, cy + 4.9 * u, 2 * u);
}

void Power(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  Arc(cr, cx, cy + 0.6 * u, 6.4 * u, 2.6 * u, -M_PI / 2 + 0.75, 3 * M_PI / 2 - 0.75);
  Bar(cr, cx, cy - 7.6 * u, cx, cy - 0.6 * u, 2.6 * u);
}

void Cross(cairo_t* cr, double cx, double cy, double s, double weight) {
  double d = s / 2 - weight / 2;
  Bar(cr, cx - d, cy - d, cx + d, cy + d, weight);
  Bar(cr, cx + d, cy - d, cx - d, cy + d, weight);
}

void Check(cairo_t* cr, double cx, double cy, double s, double weight) {
  double u = s / 16;
  double w = weight / 2;
  Bar(cr, cx - 6.5 * u + w * 0.3, cy + 0.5 * u, cx - 2 * u, cy + 6 * u - w * 0.3, weight);
  Bar(cr, cx - 2 * u, cy + 6 * u - w * 0.3, cx + 7 * u - w * 0.3, cy - 6.5 * u + w * 0.3, weight);
}

void MoveArrows(cairo_t* cr, double cx, double cy, double s) {
  double u = s / 16;
  // One outline with four arrowheads, traced arm by arm so the centre stays solid.
  const double shaft = 1.6 * u, head = 4.6 * u, base = 4.2 * u, tip = 8 * u;
  for (int arm = 0; arm < 4; ++arm) {
    double a = arm * M_PI / 2;
    double c = std::cos(a), sn = std::sin(a);
    auto pt = [&](double along, double across, bool first) {
      double x = cx + along * c - across * sn, y = cy + along * sn + across * c;
      if (first) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    };
    pt(shaft, -shaft, arm == 0);
    pt(base, -shaft, false);
    pt(base, -head, false);
    pt(tip, 0, false);
    pt(base, head, false);
    pt(base, shaft, false);
  }
  cairo_close_path(cr);
}

void Globe(cairo_t* cr, double cx, double cy, double s) {
  double r = s / 2, t = s / 14;
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, r - t, 2 * M_PI, 0);
  // Meridian ellipse and the vertical axis.
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 0.45, 1);
  cairo_new_sub_path(cr);
  // Horizontal lengths shrink by 0.45 here, so the ring is t thick at the equator and stays
  // inside the outline at the poles.
  cairo_arc(cr, 0, 0, r - t / 2, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 0, 0, r - t / 2 - t / 0.45, 2 * M_PI, 0);
  cairo_restore(cr);
  Rect(cr, cx - t / 2, cy - r + t / 2, cx + t / 2, cy + r - t / 2);
  // Equator and two parallels.
  Rect(cr, cx - r + t / 2, cy - t / 2, cx + r - t / 2, cy + t / 2);
  double py = r * 0.52, px = std::sqrt(r * r - py * py) - t * 0.2;
  Rect(cr, cx - px, cy - py - t / 2, cx + px, cy - py + t / 2);
  Rect(cr, cx - px, cy + py - t / 2, cx + px, cy + py + t / 2);
}

void Gear(cairo_t* cr, double cx, double cy, double s) {
  const int teeth = 8;
  double ro = s / 2, ri = s * 0.39, hole = s * 0.17;
  for (int i = 0; i < teeth * 4; ++i) {
    double a = (i - 0.5) * 2 * M_PI / (teeth * 4);
    bool out = (i % 4 == 1 || i % 4 == 2);
    double r = out ? ro : ri;
    double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
    if (i == 0) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, hole, 2 * M_PI, 0);
}

}  // namespace Glyph
