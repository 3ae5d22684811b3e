#include "platform/ui/ControlPaint.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
  TBrush saved = canvas.Brush;
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    const TRect& r = rect;
    canvas.Brush.Color = topLeft;
    canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
    canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
    canvas.Brush.Color = bottomRight;
    canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
    canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    rect = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  canvas.Brush = saved;
}

void DrawRaisedEdge(TCanvas& canvas, TRect& rect) {
  Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow);
  Frame3D(canvas, rect, cl3DLight, clBtnShadow);
}

void DrawSunkenEdge(TCanvas& canvas, TRect& rect) {
  Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
  Frame3D(canvas, rect, cl3DDkShadow, cl3DLight);
}

void DrawFocusRect(TCanvas& canvas, const TRect& r) {
  if (r.IsEmpty()) return;
  TColor c = clWindowText;
  // Walking the outline as one path keeps the dots evenly spaced round the corners.
  int step = 0;
  auto dot = [&](int x, int y) {
    if ((step++ & 1) == 0) canvas.SetPixel(x, y, c);
  };
  for (int x = r.Left; x < r.Right - 1; ++x) dot(x, r.Top);
  for (int y = r.Top; y < r.Bottom - 1; ++y) dot(r.Right - 1, y);
  for (int x = r.Right - 1; x > r.Left; --x) dot(x, r.Bottom - 1);
  for (int y = r.Bottom - 1; y > r.Top; --y) dot(r.Left, y);
}

void DrawPlainText(TCanvas& canvas, const std::string& text, TRect rect, unsigned flags, TColor color) {
  TBrush saved = canvas.Brush;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.SetColor(color);
  canvas.DrawText(text, rect, flags);
  canvas.Brush = saved;
}

void DrawDisabledText(TCanvas& canvas, const std::string& text, TRect rect, unsigned flags) {
  DrawPlainText(canvas, text, rect.Offset(1, 1), flags, clBtnHighlight);
  DrawPlainText(canvas, text, rect, flags, clBtnShadow);
}

TCanvas& MeasureCanvas(const TFont& font) {
  static TBitmap none;
  static TCanvas canvas(none);
  if (!canvas.Font.SameAs(font)) canvas.Font = font;
  return canvas;
}
