#pragma once
#include <vector>

#include "platform/gfx/TTypes.h"

// A region with the Windows rules: built from a rectangle, a rounded rectangle or an ellipse whose
// right and bottom bounds are exclusive, held as one run of columns per row. A region frees itself;
// LiveCount tells how many exist, so a test can see that none is left behind.
class TRegion {
public:
  struct Span {
    int Left, Right; // columns Left .. Right - 1
  };

  TRegion(); // empty
  static TRegion Rect(int left, int top, int right, int bottom);
  // Corner ellipse of width × height, as CreateRoundRectRgn: a corner under 2 pixels gives a plain
  // rectangle, one larger than the box is cut to it. A pixel is inside when its centre is.
  static TRegion RoundRect(int left, int top, int right, int bottom, int width, int height);
  static TRegion Ellipse(int left, int top, int right, int bottom);

  TRegion(const TRegion& other);
  TRegion& operator=(const TRegion& other);
  TRegion(TRegion&& other) noexcept;
  TRegion& operator=(TRegion&& other) noexcept;
  ~TRegion();

  bool Contains(int x, int y) const;
  void Offset(int dx, int dy);
  bool Empty() const { return rows_.empty(); }
  TRect BoundsRect() const;

  int Top() const { return top_; }
  // Rows from Top(), each with its spans in left-to-right order (a row of a convex shape has one).
  const std::vector<std::vector<Span>>& Rows() const { return rows_; }

  static int LiveCount();

private:
  int top_ = 0;
  std::vector<std::vector<Span>> rows_;
};
