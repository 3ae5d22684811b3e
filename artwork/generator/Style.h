#pragma once
#include "artwork/generator/Canvas.h"
#include "artwork/generator/Catalog.h"

// The look shared by all three programs: one type family, one green for the touch surfaces,
// one blue for the settings frame and the accents, light always from the top.
namespace Style {

constexpr double kCorner = 6;  // corner radius of every button and key picture

inline const Font kLegend{18, true};  // bar and dialog button legends, at most this size
inline const Rgb kWhite{1, 1, 1};
inline const Rgb kLegendBlue = Rgb8(0, 52, 214);  // legends of the hover cells
inline const Rgb kAccentBlue = Rgb8(20, 96, 222);
inline const Rgb kDarkBlue = Rgb8(6, 38, 120);

// Green faces: the bar and dialog buttons, and the keyboard keys (which have the grey-topped
// pressed look of a key pushed in).
void BarButtonFace(cairo_t* cr, double w, double h, State state);
void KeyFace(cairo_t* cr, double w, double h, State state);

// Ink of a legend on those faces in each state.
Ink BarLegendInk(State state);
Ink KeyLegendInk(State state);

// A glossy disc shading from `top` to `bottom`, with a rim and a soft shadow below.
void GlossyDisc(cairo_t* cr, double cx, double cy, double r, Rgb top, Rgb bottom, Rgb rim);

// A vertical gradient over the rectangle, through evenly spaced colours.
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<Rgb> colours);

}  // namespace Style

// Symbols, centred on (cx, cy) and about `s` pixels across, painted with the given ink.
namespace Glyph {

void Home(cairo_t* cr, double cx, double cy, double s);
void Back(cairo_t* cr, double cx, double cy, double s);
void Refresh(cairo_t* cr, double cx, double cy, double s);
void Keyboard(cairo_t* cr, double cx, double cy, double s);
void ArrowDown(cairo_t* cr, double cx, double cy, double s);
void ArrowUp(cairo_t* cr, double cx, double cy, double s);
void Exit(cairo_t* cr, double cx, double cy, double s);
void CloseWindow(cairo_t* cr, double cx, double cy, double s);
void Power(cairo_t* cr, double cx, double cy, double s);
void Cross(cairo_t* cr, double cx, double cy, double s, double weight);
void Check(cairo_t* cr, double cx, double cy, double s, double weight);
void MoveArrows(cairo_t* cr, double cx, double cy, double s);
// A block arrow pointing at `angle` radians (0 right, pi/2 down).
void BlockArrow(cairo_t* cr, double cx, double cy, double s, double angle);
void Globe(cairo_t* cr, double cx, double cy, double s);
void Gear(cairo_t* cr, double cx, double cy, double s);

}  // namespace Glyph
