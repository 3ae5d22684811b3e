#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/TBitmap.h"
#include "platform/gfx/TFont.h"
#include "platform/gfx/TRegion.h"
#include "platform/gfx/TTypes.h"

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDot, psClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = TPenStyle::psSolid;
  int Width = 1;
};

// DrawText flags, as the Windows call names them.
enum : unsigned {
  DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_VCENTER = 4, DT_BOTTOM = 8,
  DT_SINGLELINE = 0x20, DT_NOPREFIX = 0x800, DT_CALCRECT = 0x400,
};

// A drawing surface over a bitmap (a form's back buffer, or any TBitmap). Coordinates are relative
// to the origin, which the form moves to each control's top-left before it paints the control;
// nothing is drawn outside the clip rectangle. Region fills and picture copies write whole pixels,
// so their results are exact; lines, outlines and text are antialiased by cairo.
class TCanvas {
public:
  explicit TCanvas(TBitmap& target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBrush Brush;
  TPen Pen;
  TFont Font;

  TBitmap& Target() { return target_; }
  void SetOrigin(TPoint origin) { origin_ = origin; }
  TPoint Origin() const { return origin_; }
  // In target coordinates (not moved by the origin); intersected with the target's bounds.
  void SetClipRect(const TRect& clip);
  // Back to the whole target, whatever size it takes later (the state of a new canvas).
  void ResetClip() { clip_set_ = false; }
  TRect ClipRect() const { return clip_set_ ? clip_.Intersect(TargetRect()) : TargetRect(); }

  // Pixels, in canvas coordinates; reading outside the target gives 0xFFFFFFFF.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Fills with the brush colour, whatever the brush style (as FillRgn with a solid brush does).
  void FillRgn(const TRegion& region);
  void FillRect(const TRect& rect);
  // Outline with the pen, inside with the brush unless it is clear.
  void Rectangle(const TRect& rect);
  void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight);
  void Ellipse(const TRect& rect);
  void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
  void LineTo(int x, int y);

  // Copies the picture whole at (x, y), blending by its alpha.
  void Draw(int x, int y, const TBitmap& picture);
  // Copies source rectangle to dest (same size, no stretching) leaving out the pixels of keyColor:
  // under a clear brush they leave the surface unchanged, under a solid brush they take its colour.
  void BrushCopy(const TRect& dest, const TBitmap& picture, const TRect& source, TColor keyColor);

  // Text on one line. With a clear brush the background shows through.
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void TextOut(int x, int y, const std::string& text);
  // "&" marks the accelerator letter (underlined, "&&" is a plain "&") unless DT_NOPREFIX.
  // With DT_CALCRECT only the rectangle is computed. Returns the text height.
  int DrawText(const std::string& text, TRect& rect, unsigned flags);

  // For drawing that the canvas does not offer; the cairo state has the origin and the clip applied.
  cairo_t* Cairo();

private:
  void Flush();
  TRect TargetRect() const { return {0, 0, target_.Width(), target_.Height()}; }
  // The cached context in its base state (no clip, no transformation), over the target's current
  // surface; Begin saves that state and clips to a rectangle in target coordinates.
  cairo_t* Context();
  cairo_t* Begin(const TRect& clip);
  void SetSourceColor(cairo_t* cr, TColor color);
  bool SetPen(cairo_t* cr);
  // Fills a rectangle in target coordinates, clipped, with whole pixels.
  void FillTargetRect(const TRect& rect, TColor color);
  // Lays out text with the canvas font; underlines are byte ranges. Returns the logical size.
  TSize SetLayout(const std::string& text, bool singleLine, const std::vector<std::pair<int, int>>& underlines = {});
  void ShowLayout(int x, int y, TSize size, const TRect& clip);

  TBitmap& target_;
  TPoint origin_{};
  TRect clip_;
  bool clip_set_ = false;
  TPoint pen_pos_{};
  cairo_t* cr_ = nullptr;
  cairo_surface_t* cr_surface_ = nullptr;
  cairo_surface_t* scratch_ = nullptr; // measures text while the target has no pixels
  bool state_saved_ = false;
  PangoLayout* layout_ = nullptr;
};
