#pragma once

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0, cy = 0;
  bool operator==(const TSize&) const = default;
};

// Right and bottom are exclusive, as everywhere in the form library.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  TRect Intersect(const TRect& o) const;
  TRect Union(const TRect& o) const;
  bool operator==(const TRect&) const = default;
};

inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

inline TRect TRect::Intersect(const TRect& o) const {
  TRect r{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top, Right < o.Right ? Right : o.Right,
          Bottom < o.Bottom ? Bottom : o.Bottom};
  if (r.IsEmpty()) return {};
  return r;
}

inline TRect TRect::Union(const TRect& o) const {
  if (IsEmpty()) return o;
  if (o.IsEmpty()) return *this;
  return {Left < o.Left ? Left : o.Left, Top < o.Top ? Top : o.Top, Right > o.Right ? Right : o.Right,
          Bottom > o.Bottom ? Bottom : o.Bottom};
}
