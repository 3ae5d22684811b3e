#include "platform/gfx/TCanvas.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <pango/pangocairo.h>

namespace {
constexpr int kDefaultFontHeight = 13;

// Premultiplied "over": the source word on top of the destination word.
inline uint32_t Over(uint32_t s, uint32_t d) {
  const uint32_t inverse = 255 - (s >> 24);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t channel = ((s >> shift) & 0xFF) + (((d >> shift) & 0xFF) * inverse + 127) / 255;
    out |= std::min<uint32_t>(channel, 255) << shift;
  }
  return out;
}

// The byte length of the UTF-8 character that starts with this byte.
size_t CharLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// "&x" becomes an underlined x, "&&" a plain "&"; a lone "&" at the end is dropped.
std::string StripPrefix(const std::string& text, std::vector<std::pair<int, int>>& underlines) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      plain += text[i];
      continue;
    }
    if (++i == text.size()) break;
    if (text[i] == '&') {
      plain += '&';
      continue;
    }
    const size_t length = std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
    underlines.emplace_back(int(plain.size()), int(plain.size() + length));
    plain.append(text, i, length);
    i += length - 1;
  }
  return plain;
}
} // namespace

TCanvas::TCanvas(TBitmap& target) : target_(target) {}

TCanvas::~TCanvas() {
  if (layout_) g_object_unref(layout_);
  if (cr_) cairo_destroy(cr_);
  if (scratch_) cairo_surface_destroy(scratch_);
}

void TCanvas::SetClipRect(const TRect& clip) {
  clip_ = clip.Intersect(TargetRect());
  clip_set_ = true;
}

void TCanvas::Flush() { target_.Flush(); }

cairo_t* TCanvas::Context() {
  cairo_surface_t* surface = target_.Surface();
  if (!surface) {
    if (!scratch_) scratch_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    surface = scratch_;
  }
  // The target gets a new surface whenever it is resized; the old context would draw into
  // pixels that are gone.
  if (cr_ && cr_surface_ != surface) {
    cairo_destroy(cr_);
    cr_ = nullptr;
    state_saved_ = false;
  }
  if (!cr_) {
    cr_ = cairo_create(surface);
    cr_surface_ = surface;
  }
  if (state_saved_) {
    cairo_restore(cr_);
    state_saved_ = false;
  }
  return cr_;
}

cairo_t* TCanvas::Begin(const TRect& clip) {
  cairo_t* cr = Context();
  cairo_save(cr);
  state_saved_ = true;
  cairo_rectangle(cr, clip.Left, clip.Top, clip.Width(), clip.Height());
  cairo_clip(cr);
  return cr;
}

cairo_t* TCanvas::Cairo() {
  cairo_t* cr = Begin(ClipRect());
  cairo_translate(cr, origin_.X, origin_.Y);
  return cr;
}

void TCanvas::SetSourceColor(cairo_t* cr, TColor color) {
  color = ColorToRGB(color);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

bool TCanvas::SetPen(cairo_t* cr) {
  if (Pen.Style == TPenStyle::psClear) return false;
  const double width = std::max(1, Pen.Width);
  SetSourceColor(cr, Pen.Color);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  if (Pen.Style == TPenStyle::psDot) {
    const double dash[] = {width, width};
    cairo_set_dash(cr, dash, 2, 0);
  }
  return true;
}

TColor TCanvas::Pixel(int x, int y) const { return target_.Pixel(x + origin_.X, y + origin_.Y); }

void TCanvas::SetPixel(int x, int y, TColor color) {
  x += origin_.X;
  y += origin_.Y;
  if (ClipRect().Contains(x, y)) target_.SetPixel(x, y, color);
}

void TCanvas::FillTargetRect(const TRect& rect, TColor color) {
  const TRect area = rect.Intersect(ClipRect());
  if (area.IsEmpty()) return;
  const uint32_t word = TBitmap::ToNative(color);
  Flush();
  uint32_t* bits = target_.Bits();
  for (int y = area.Top; y < area.Bottom; ++y) {
    uint32_t* row = bits + size_t(y) * size_t(target_.Width());
    std::fill(row + area.Left, row + area.Right, word);
  }
  target_.MarkDirty();
}

void TCanvas::FillRect(const TRect& rect) { FillTargetRect(rect.Offset(origin_.X, origin_.Y), Brush.Color); }

void TCanvas::FillRgn(const TRegion& region) {
  const TRect clip = ClipRect();
  if (clip.IsEmpty() || region.Empty()) return;
  const uint32_t word = TBitmap::ToNative(Brush.Color);
  Flush();
  uint32_t* bits = target_.Bits();
  const auto& rows = region.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int y = region.Top() + int(i) + origin_.Y;
    if (y < clip.Top || y >= clip.Bottom) continue;
    uint32_t* row = bits + size_t(y) * size_t(target_.Width());
    for (const TRegion::Span& span : rows[i]) {
      const int left = std::max(span.Left + origin_.X, clip.Left);
      const int right = std::min(span.Right + origin_.X, clip.Right);
      if (left < right) std::fill(row + left, row + right, word);
    }
  }
  target_.MarkDirty();
}

void TCanvas::Rectangle(const TRect& rect) {
  const TRect target = rect.Offset(origin_.X, origin_.Y);
  if (Brush.Style != TBrushStyle::bsClear) FillTargetRect(target, Brush.Color);
  cairo_t* cr = Begin(ClipRect());
  if (SetPen(cr)) {
    // Half a pen inside the rectangle, so that a 1-pixel outline covers whole pixels.
    const double half = std::max(1, Pen.Width) / 2.0;
    cairo_rectangle(cr, target.Left + half, target.Top + half, target.Width() - 2 * half, target.Height() - 2 * half);
    cairo_stroke(cr);
  }
}

void TCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
  const TRect target = rect.Offset(origin_.X, origin_.Y);
  const double half = Pen.Style == TPenStyle::psClear ? 0.0 : std::max(1, Pen.Width) / 2.0;
  const double left = target.Left + half, top = target.Top + half;
  const double right = target.Right - half, bottom = target.Bottom - half;
  const double rx = std::min(cornerWidth / 2.0 - half, (right - left) / 2.0);
  const double ry = std::min(cornerHeight / 2.0 - half, (bottom - top) / 2.0);
  cairo_t* cr = Begin(ClipRect());
  if (rx < 0.5 || ry < 0.5) {
    cairo_rectangle(cr, left, top, right - left, bottom - top);
  } else {
    auto corner = [&](double cx, double cy, double from) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, rx, ry);
      cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
      cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(right - rx, top + ry, -std::numbers::pi / 2);
    corner(right - rx, bottom - ry, 0);
    corner(left + rx, bottom - ry, std::numbers::pi / 2);
    corner(left + rx, top + ry, std::numbers::pi);
    cairo_close_path(cr);
  }
  if (Brush.Style != TBrushStyle::bsClear) {
    SetSourceColor(cr, Brush.Color);
    cairo_fill_preserve(cr);
  }
  if (SetPen(cr)) cairo_stroke(cr);
  cairo_new_path(cr);
}

void TCanvas::Ellipse(const TRect& rect) {
  const TRect target = rect.Offset(origin_.X, origin_.Y);
  const double half = Pen.Style == TPenStyle::psClear ? 0.0 : std::max(1, Pen.Width) / 2.0;
  const double rx = target.Width() / 2.0 - half, ry = target.Height() / 2.0 - half;
  if (rx <= 0 || ry <= 0) return;
  cairo_t* cr = Begin(ClipRect());
  cairo_save(cr);
  cairo_translate(cr, (target.Left + target.Right) / 2.0, (target.Top + target.Bottom) / 2.0);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  if (Brush.Style != TBrushStyle::bsClear) {
    SetSourceColor(cr, Brush.Color);
    cairo_fill_preserve(cr);
  }
  if (SetPen(cr)) cairo_stroke(cr);
  cairo_new_path(cr);
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = pen_pos_;
  pen_pos_ = {x, y};
  cairo_t* cr = Begin(ClipRect());
  if (!SetPen(cr)) return;
  // A line covers its start pixel and stops short of its end pixel. Horizontal and vertical lines
  // are laid along pixel centres, so they come out sharp.
  double x0 = from.X + origin_.X, y0 = from.Y + origin_.Y;
  double x1 = x + origin_.X, y1 = y + origin_.Y;
  if (from.Y == y) {
    y0 = y1 = y0 + 0.5;
    if (x1 < x0) x0 += 1, x1 += 1;
  } else if (from.X == x) {
    x0 = x1 = x0 + 0.5;
    if (y1 < y0) y0 += 1, y1 += 1;
  } else {
    x0 += 0.5, y0 += 0.5, x1 += 0.5, y1 += 0.5;
  }
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void TCanvas::Draw(int x, int y, const TBitmap& picture) {
  const TRect dest = Bounds(x + origin_.X, y + origin_.Y, picture.Width(), picture.Height());
  const TRect area = dest.Intersect(ClipRect());
  if (area.IsEmpty()) return;
  Flush();
  picture.Flush();
  for (int row = area.Top; row < area.Bottom; ++row) {
    const uint32_t* s = picture.Bits() + size_t(row - dest.Top) * size_t(picture.Width()) + (area.Left - dest.Left);
    uint32_t* d = target_.Bits() + size_t(row) * size_t(target_.Width()) + area.Left;
    for (int i = 0, n = area.Width(); i < n; ++i) {
      const uint32_t p = s[i];
      if (p >= 0xFF000000u) d[i] = p;
      else if (p >> 24) d[i] = Over(p, d[i]);
    }
  }
  target_.MarkDirty();
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& picture, const TRect& source, TColor keyColor) {
  const int width = std::min(dest.Width(), source.Width()), height = std::min(dest.Height(), source.Height());
  const TRect to = Bounds(dest.Left + origin_.X, dest.Top + origin_.Y, width, height);
  // Where the whole picture would land, so that a source rectangle reaching past it is cut.
  const TRect picture_at = Bounds(to.Left - source.Left, to.Top - source.Top, picture.Width(), picture.Height());
  const TRect area = to.Intersect(ClipRect()).Intersect(picture_at);
  if (area.IsEmpty()) return;

  const TColor key = ColorToRGB(keyColor);
  const uint32_t key_word = TBitmap::ToNative(key);
  const bool paint_key = Brush.Style == TBrushStyle::bsSolid;
  const uint32_t brush_word = TBitmap::ToNative(Brush.Color);
  Flush();
  picture.Flush();
  for (int row = area.Top; row < area.Bottom; ++row) {
    const uint32_t* s =
        picture.Bits() + size_t(row - picture_at.Top) * size_t(picture.Width()) + (area.Left - picture_at.Left);
    uint32_t* d = target_.Bits() + size_t(row) * size_t(target_.Width()) + area.Left;
    for (int i = 0, n = area.Width(); i < n; ++i) {
      const uint32_t p = s[i];
      // Opaque pixels, nearly all of them, compare as words; the others are judged by their colour
      // with the alpha undone.
      const bool opaque = p >= 0xFF000000u;
      if (opaque ? p == key_word : TBitmap::FromNative(p) == key) {
        if (paint_key) d[i] = brush_word;
      } else {
        d[i] = opaque ? p : Over(p, d[i]);
      }
    }
  }
  target_.MarkDirty();
}

TSize TCanvas::SetLayout(const std::string& text, bool singleLine, const std::vector<std::pair<int, int>>& underlines) {
  cairo_t* cr = Context();
  if (!layout_) {
    layout_ = pango_cairo_create_layout(cr);
    // Unhinted metrics keep a measured width the same wherever the text is drawn.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout_), options);
    cairo_font_options_destroy(options);
  }
  pango_cairo_update_layout(cr, layout_);

  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, Font.FamilyList().c_str());
  const int height = Font.Height() == 0 ? kDefaultFontHeight : std::abs(Font.Height());
  pango_font_description_set_absolute_size(font, double(height) * PANGO_SCALE);
  pango_font_description_set_weight(font, (Font.Style() & fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font, (Font.Style() & fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout_, font);
  pango_font_description_free(font);

  PangoAttrList* attrs = pango_attr_list_new();
  if (Font.Style() & fsUnderline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (Font.Style() & fsStrikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  for (const auto& [start, end] : underlines) {
    PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    underline->start_index = guint(start);
    underline->end_index = guint(end);
    pango_attr_list_insert(attrs, underline);
  }
  pango_layout_set_attributes(layout_, attrs);
  pango_attr_list_unref(attrs);

  pango_layout_set_single_paragraph_mode(layout_, singleLine);
  pango_layout_set_text(layout_, text.data(), int(text.size()));
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout_, nullptr, &logical);
  return {logical.width, logical.height};
}

void TCanvas::ShowLayout(int x, int y, TSize size, const TRect& clip) {
  if (clip.IsEmpty()) return;
  if (Brush.Style == TBrushStyle::bsSolid) FillTargetRect(Bounds(x, y, size.cx, size.cy).Intersect(clip), Brush.Color);
  cairo_t* cr = Begin(clip);
  SetSourceColor(cr, Font.Color());
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout_);
}

TSize TCanvas::TextExtent(const std::string& text) { return SetLayout(text, true); }

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const TSize size = SetLayout(text, true);
  ShowLayout(x + origin_.X, y + origin_.Y, size, ClipRect());
}

int TCanvas::DrawText(const std::string& text, TRect& rect, unsigned flags) {
  std::vector<std::pair<int, int>> underlines;
  const std::string plain = (flags & DT_NOPREFIX) ? text : StripPrefix(text, underlines);
  const bool single = flags & DT_SINGLELINE;
  const TSize size = SetLayout(plain, single, underlines);
  if (flags & DT_CALCRECT) {
    rect.Right = rect.Left + size.cx;
    rect.Bottom = rect.Top + size.cy;
    return size.cy;
  }
  pango_layout_set_alignment(layout_, (flags & DT_CENTER)  ? PANGO_ALIGN_CENTER
                                      : (flags & DT_RIGHT) ? PANGO_ALIGN_RIGHT
                                                           : PANGO_ALIGN_LEFT);
  int x = rect.Left, y = rect.Top;
  if (flags & DT_CENTER) x = rect.Left + (rect.Width() - size.cx) / 2;
  else if (flags & DT_RIGHT) x = rect.Right - size.cx;
  // As on Windows, vertical placement applies to single lines only.
  if (single && (flags & DT_VCENTER)) y = rect.Top + (rect.Height() - size.cy) / 2;
  else if (single && (flags & DT_BOTTOM)) y = rect.Bottom - size.cy;
  const TRect target = rect.Offset(origin_.X, origin_.Y);
  ShowLayout(x + origin_.X, y + origin_.Y, size, target.Intersect(ClipRect()));
  pango_layout_set_alignment(layout_, PANGO_ALIGN_LEFT);
  return size.cy;
}
