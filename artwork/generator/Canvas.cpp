#include "artwork/generator/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetSource(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

Image::Image(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a picture surface");
}

Image::Image(Image&& other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      surface_(std::exchange(other.surface_, nullptr)) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surface_);
}

uint32_t Image::Get(int x, int y) const {
  cairo_surface_flush(surface_);
  const auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
  return reinterpret_cast<const uint32_t*>(row)[x];
}

void Image::Set(int x, int y, uint32_t argb) {
  cairo_surface_flush(surface_);
  auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
  reinterpret_cast<uint32_t*>(row)[x] = argb;
  cairo_surface_mark_dirty(surface_);
}

void Image::Fill(uint32_t argb) {
  cairo_surface_flush(surface_);
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                            y * cairo_image_surface_get_stride(surface_));
    std::fill(row, row + width_, argb);
  }
  cairo_surface_mark_dirty(surface_);
}

Image Image::Clone() const { return Crop(0, 0, width_, height_); }

Image Image::Crop(int x, int y, int width, int height) const {
  Image out(width, height);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i)
      out.Set(i, j, Get(std::clamp(x + i, 0, width_ - 1), std::clamp(y + j, 0, height_ - 1)));
  return out;
}

void Image::Draw(const Image& src, int x, int y) {
  Ctx cr(*this);
  cairo_set_source_surface(cr, src.Surface(), x, y);
  cairo_paint(cr);
}

void Image::DrawKeyed(const Image& src, int sx, int sy, int w, int h, int x, int y) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (x + i < 0 || y + j < 0 || x + i >= width_ || y + j >= height_) continue;
      uint32_t p = src.Get(sx + i, sy + j);
      if (p != kMagenta) Set(x + i, y + j, p);
    }
}

Ctx::Ctx(Image& image) : cr_(cairo_create(image.Surface())), surface_(image.Surface()) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Ctx::~Ctx() {
  cairo_destroy(cr_);
  cairo_surface_flush(surface_);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

Text::Text(cairo_t* cr, const std::string& text, Font font) : cr_(cr), layout_(pango_cairo_create_layout(cr)) {
  // Grey-scale antialiasing without hinting keeps glyph shapes identical wherever they land,
  // which matters when the same legend is drawn in four cells.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout_), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout_);

  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, font.family);
  pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(desc, font.px * PANGO_SCALE);
  pango_layout_set_font_description(layout_, desc);
  pango_font_description_free(desc);
  pango_layout_set_text(layout_, text.c_str(), -1);

  PangoRectangle ink, logical;
  pango_layout_get_extents(layout_, &ink, &logical);
  ink_x_ = double(ink.x) / PANGO_SCALE;
  ink_y_ = double(ink.y) / PANGO_SCALE;
  ink_w_ = double(ink.width) / PANGO_SCALE;
  ink_h_ = double(ink.height) / PANGO_SCALE;
  baseline_ = double(pango_layout_get_baseline(layout_)) / PANGO_SCALE;
}

Text::~Text() { g_object_unref(layout_); }

void Text::Path(double x, double y) const {
  cairo_move_to(cr_, x - ink_x_, y - ink_y_);
  pango_cairo_layout_path(cr_, layout_);
}

void Text::PathOnBaseline(double x, double baseline_y) const {
  cairo_move_to(cr_, x - ink_x_, baseline_y - baseline_);
  pango_cairo_layout_path(cr_, layout_);
}

void PaintPath(cairo_t* cr, const Ink& ink) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (ink.shadow > 0) {
    cairo_translate(cr, 0, 1);
    cairo_append_path(cr, path);
    SetSource(cr, {0, 0, 0}, ink.shadow);
    if (ink.outline > 0) {
      cairo_set_line_width(cr, ink.outline);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
    cairo_translate(cr, 0, -1);
  }
  if (ink.outline > 0) {
    cairo_append_path(cr, path);
    SetSource(cr, ink.outline_color, ink.outline_alpha);
    cairo_set_line_width(cr, ink.outline);
    cairo_stroke(cr);
  }
  cairo_append_path(cr, path);
  SetSource(cr, ink.fill);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_path_destroy(path);
}

void PaintText(cairo_t* cr, const Text& text, double x, double y, const Ink& ink) {
  cairo_new_path(cr);
  text.Path(x, y);
  PaintPath(cr, ink);
}

void PaintTextCentred(cairo_t* cr, const std::string& s, Font font, double cx, double cy,
                      const Ink& ink) {
  Text t(cr, s, font);
  PaintText(cr, t, cx - t.InkWidth() / 2, cy - t.InkHeight() / 2, ink);
}
