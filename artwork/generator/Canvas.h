#pragma once
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <string>

// Colours as the drawing code thinks of them: 0..1 per channel.
struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb Rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
Rgb Mix(Rgb a, Rgb b, double t);
void SetSource(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// The transparent colour of every keyed picture.
constexpr uint32_t kMagenta = 0xFFFF00FFu;

// An ARGB32 picture (premultiplied, as cairo keeps it). Move-only; Clone copies.
class Image {
public:
  Image() = default;
  Image(int width, int height);
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  ~Image();

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_surface_t* Surface() const { return surface_; }

  uint32_t Get(int x, int y) const;
  void Set(int x, int y, uint32_t argb);
  void Fill(uint32_t argb);

  Image Clone() const;
  // A part of the picture; outside it the nearest edge pixel is repeated.
  Image Crop(int x, int y, int width, int height) const;
  // Draws src at (x, y) over this picture.
  void Draw(const Image& src, int x, int y);
  // Copies src's part (sx, sy, w, h) to (x, y), leaving out the pixels of the key colour:
  // what a keyed picture looks like on screen.
  void DrawKeyed(const Image& src, int sx, int sy, int w, int h, int x, int y);

private:
  int width_ = 0, height_ = 0;
  cairo_surface_t* surface_ = nullptr;
};

// A cairo context over an Image that flushes and releases itself.
class Ctx {
public:
  explicit Ctx(Image& image);
  Ctx(const Ctx&) = delete;
  Ctx& operator=(const Ctx&) = delete;
  ~Ctx();
  operator cairo_t*() const { return cr_; }

private:
  cairo_t* cr_;
  cairo_surface_t* surface_;
};

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Text. Sizes are pixel heights of the em square.
struct Font {
  double px = 16;
  bool bold = true;
  const char* family = "Noto Sans CJK SC";
};

// A laid-out line of text; its ink box is what placement works with, so that a glyph lands
// where it is meant to regardless of the font's ascent and line gap.
class Text {
public:
  Text(cairo_t* cr, const std::string& text, Font font);
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text();

  double InkWidth() const { return ink_w_; }
  double InkHeight() const { return ink_h_; }
  // Distance from the ink box's top to the baseline.
  double InkAscent() const { return baseline_ - ink_y_; }
  // Adds the glyph outlines to the current path with the ink box's top-left at (x, y).
  void Path(double x, double y) const;
  // The same with the ink's left edge at x and the baseline at y, so that lines of different
  // glyphs share one baseline.
  void PathOnBaseline(double x, double baseline_y) const;

private:
  cairo_t* cr_;
  PangoLayout* layout_;
  double ink_x_, ink_y_, ink_w_, ink_h_, baseline_;
};

// How a legend is painted: fill colour, an optional outline drawn beneath the fill, and an
// optional soft shadow below (the light always comes from the top).
struct Ink {
  Rgb fill{1, 1, 1};
  double outline = 0;  // outline width; 0 for none
  Rgb outline_color{0, 0, 0};
  double outline_alpha = 1;
  double shadow = 0;  // shadow alpha; drawn one pixel down
};

// Paints the current path with the ink (the path is consumed).
void PaintPath(cairo_t* cr, const Ink& ink);
// Paints the text with its ink box's top-left at (x, y).
void PaintText(cairo_t* cr, const Text& text, double x, double y, const Ink& ink);
// Paints the text centred on (cx, cy).
void PaintTextCentred(cairo_t* cr, const std::string& s, Font font, double cx, double cy,
                      const Ink& ink);
