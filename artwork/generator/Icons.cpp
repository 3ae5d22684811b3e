#include <cmath>
#include <functional>
#include <limits>

#include "artwork/generator/Layout.h"
#include "artwork/generator/Style.h"

namespace {

// Reduces a picture to at most 15 opaque colours plus full transparency: what a 16-colour
// button glyph can hold. Pixels less than half covered become transparent.
Image SixteenColours(const Image& art, const std::vector<Rgb>& palette) {
  Image out(art.Width(), art.Height());
  out.Fill(0);
  for (int y = 0; y < art.Height(); ++y)
    for (int x = 0; x < art.Width(); ++x) {
      uint32_t p = art.Get(x, y);
      double a = (p >> 24) / 255.0;
      if (a < 0.5) continue;
      Rgb c{((p >> 16) & 0xFF) / 255.0 / a, ((p >> 8) & 0xFF) / 255.0 / a, (p & 0xFF) / 255.0 / a};
      double best = std::numeric_limits<double>::max();
      Rgb pick{};
      for (Rgb q : palette) {
        double d = (c.r - q.r) * (c.r - q.r) + (c.g - q.g) * (c.g - q.g) + (c.b - q.b) * (c.b - q.b);
        if (d < best) best = d, pick = q;
      }
      out.Set(x, y, 0xFF000000u | uint32_t(std::lround(pick.r * 255)) << 16 |
                        uint32_t(std::lround(pick.g * 255)) << 8 | uint32_t(std::lround(pick.b * 255)));
    }
  return out;
}

// A red symbol for a push button of the settings form.
Image ButtonGlyph(const std::function<void(cairo_t*)>& shape) {
  Image art(20, 20);
  {
    Ctx cr(art);
    cairo_new_path(cr);
    shape(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    SetSource(cr, Rgb8(120, 0, 0));
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_append_path(cr, path);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, 18);
    AddStop(p, 0, Rgb8(255, 120, 100));
    AddStop(p, 0.45, Rgb8(236, 24, 16));
    AddStop(p, 1, Rgb8(168, 0, 0));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_path_destroy(path);
  }
  // Fifteen reds from the outline to the highlight.
  std::vector<Rgb> palette;
  const Rgb ramp[] = {Rgb8(120, 0, 0), Rgb8(168, 0, 0), Rgb8(236, 24, 16), Rgb8(255, 120, 100)};
  for (int i = 0; i < 15; ++i) {
    double t = i / 14.0 * 3;
    int seg = std::min(2, int(t));
    palette.push_back(Mix(ramp[seg], ramp[seg + 1], t - seg));
  }
  return SixteenColours(art, palette);
}

// A message box icon: a glossy disc with a white symbol.
Image MessageIcon(Rgb top, Rgb bottom, Rgb rim, const std::function<void(cairo_t*)>& symbol) {
  Image img(32, 32);
  Ctx cr(img);
  for (int i = 3; i >= 1; --i) {  // a soft shadow below the disc
    cairo_arc(cr, 16, 17, 13.5 + i * 0.8, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.07);
    cairo_fill(cr);
  }
  Style::GlossyDisc(cr, 16, 15.5, 14, top, bottom, rim);
  cairo_new_path(cr);
  symbol(cr);
  Ink ink;
  ink.shadow = 0.35;
  PaintPath(cr, ink);
  return img;
}

// A program icon: a rounded tile, lit from the top, holding a white symbol.
Image ProgramIcon(Rgb top, Rgb bottom, Rgb rim, const std::function<void(cairo_t*)>& symbol) {
  Image img(128, 128);
  Ctx cr(img);
  for (int i = 4; i >= 1; --i) {
    RoundedRect(cr, 8 - i, 10 - i + 2, 112 + 2 * i, 112 + 2 * i, 24 + i);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.05);
    cairo_fill(cr);
  }
  RoundedRect(cr, 8, 8, 112, 112, 24);
  SetSource(cr, rim);
  cairo_fill(cr);
  RoundedRect(cr, 10, 10, 108, 108, 22);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 10, 0, 118);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The same gloss as the buttons: a band over the upper half.
  RoundedRect(cr, 13, 12, 102, 52, 20);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 12, 0, 64);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.5);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0.08);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_new_path(cr);
  symbol(cr);
  Ink ink;
  ink.shadow = 0.3;
  ink.outline = 3;
  ink.outline_color = rim;
  ink.outline_alpha = 0.45;
  PaintPath(cr, ink);
  return img;
}

}  // namespace

void BuildIcons(Catalog& catalog) {
  const std::string form = "Setuva settings form";
  catalog.Add(form, "Form1.cbSave", Format::Png32,
              ButtonGlyph([](cairo_t* cr) { Glyph::Check(cr, 10, 10, 19, 3.8); }));
  catalog.Add(form, "Form1.cbClose", Format::Png32,
              ButtonGlyph([](cairo_t* cr) { Glyph::Cross(cr, 10, 10, 16, 4); }));

  const std::string boxes = "Message boxes";
  const Rgb blueTop = Rgb8(120, 178, 255), blueBottom = Rgb8(16, 72, 204);
  catalog.Add(boxes, "MsgBox.Error", Format::Png32,
              MessageIcon(Rgb8(255, 130, 110), Rgb8(196, 20, 10), Rgb8(120, 0, 0),
                          [](cairo_t* cr) { Glyph::Cross(cr, 16, 15.5, 12, 3.4); }));
  catalog.Add(boxes, "MsgBox.Information", Format::Png32,
              MessageIcon(blueTop, blueBottom, Style::kDarkBlue, [](cairo_t* cr) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, 16, 8.6, 2.3, 0, 2 * M_PI);
                RoundedRect(cr, 13.9, 12.6, 4.2, 11, 1);
              }));
  catalog.Add(boxes, "MsgBox.Question", Format::Png32,
              MessageIcon(blueTop, blueBottom, Style::kDarkBlue, [](cairo_t* cr) {
                Text t(cr, "?", {21, true});
                t.Path(16 - t.InkWidth() / 2, 15.5 - t.InkHeight() / 2);
              }));

  const std::string apps = "Program icons";
  catalog.Add(apps, "Icon.Tovira", Format::Png32,
              ProgramIcon(Rgb8(110, 200, 100), Rgb8(0, 112, 0), Rgb8(0, 64, 0),
                          [](cairo_t* cr) { Glyph::Globe(cr, 64, 64, 70); }));
  catalog.Add(apps, "Icon.Kelpad", Format::Png32,
              ProgramIcon(Rgb8(110, 200, 100), Rgb8(0, 112, 0), Rgb8(0, 64, 0),
                          [](cairo_t* cr) { Glyph::Keyboard(cr, 64, 66, 76); }));
  catalog.Add(apps, "Icon.Setuva", Format::Png32,
              ProgramIcon(Rgb8(120, 172, 246), Rgb8(26, 74, 180), Style::kDarkBlue,
                          [](cairo_t* cr) { Glyph::Gear(cr, 64, 64, 74); }));
}
