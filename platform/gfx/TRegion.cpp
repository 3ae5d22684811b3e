#include "platform/gfx/TRegion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {
int live_count = 0;

// Columns cut off at each end of one row by a corner ellipse of w × h pixels. Coordinates are
// doubled so that pixel centres and the ellipse centre are integers: column k of the ellipse's box
// is inside when (2k + 1 − w)² h² + dy² w² < w² h², dy being the row's doubled distance from the
// centre. The cut never goes past the ellipse's centre column, because the straight part of a
// rounded rectangle starts there.
int CornerCut(int64_t w, int64_t h, int64_t dy) {
  const int64_t limit = w * w * (h * h - dy * dy); // inside when X² h² < limit, X = 2k + 1 − w
  auto inside = [&](int64_t k) {
    const int64_t x = 2 * k + 1 - w;
    return x * x * h * h < limit;
  };
  const int64_t half = w / 2;
  // Start from the real-valued edge and settle the exact column with the integer test.
  double edge = limit > 0 ? (double(w) - std::sqrt(double(limit)) / double(h) - 1.0) / 2.0 : double(half);
  int64_t k = std::clamp<int64_t>(int64_t(std::floor(edge)), 0, half);
  while (k > 0 && inside(k - 1)) --k;
  while (k < half && !inside(k)) ++k;
  return int(k);
}
} // namespace

TRegion::TRegion() { ++live_count; }

TRegion TRegion::Rect(int left, int top, int right, int bottom) { return RoundRect(left, top, right, bottom, 0, 0); }

TRegion TRegion::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  TRegion region;
  if (left == right || top == bottom) return region;
  width = std::min(width, right - left);
  height = std::min(height, bottom - top);
  const bool rounded = width >= 2 && height >= 2;

  region.top_ = top;
  region.rows_.resize(size_t(bottom - top));
  for (int y = top; y < bottom; ++y) {
    int cut = 0;
    if (rounded) {
      // The row's doubled distance from the centre of the nearer corner ellipse; only rows whose
      // centre lies beyond that ellipse's centre are curved.
      const int fromTop = 2 * (y - top) + 1 - height;
      const int fromBottom = 2 * (bottom - 1 - y) + 1 - height;
      const int dy = std::min(fromTop, fromBottom);
      if (dy < 0) cut = CornerCut(width, height, dy);
    }
    if (left + cut < right - cut) region.rows_[size_t(y - top)].push_back({left + cut, right - cut});
  }
  // An ellipse of even width can lose its first and last rows entirely; the region starts at the
  // first row that holds a pixel.
  auto first = std::find_if(region.rows_.begin(), region.rows_.end(), [](const auto& row) { return !row.empty(); });
  region.top_ += int(first - region.rows_.begin());
  region.rows_.erase(region.rows_.begin(), first);
  while (!region.rows_.empty() && region.rows_.back().empty()) region.rows_.pop_back();
  return region;
}

TRegion TRegion::Ellipse(int left, int top, int right, int bottom) {
  return RoundRect(left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

TRegion::TRegion(const TRegion& other) : top_(other.top_), rows_(other.rows_) { ++live_count; }

TRegion& TRegion::operator=(const TRegion& other) {
  top_ = other.top_;
  rows_ = other.rows_;
  return *this;
}

TRegion::TRegion(TRegion&& other) noexcept : top_(other.top_), rows_(std::move(other.rows_)) {
  other.rows_.clear();
  ++live_count;
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
  top_ = other.top_;
  rows_ = std::move(other.rows_);
  other.rows_.clear();
  return *this;
}

TRegion::~TRegion() { --live_count; }

bool TRegion::Contains(int x, int y) const {
  if (y < top_ || y >= top_ + int(rows_.size())) return false;
  for (const Span& span : rows_[size_t(y - top_)])
    if (x >= span.Left && x < span.Right) return true;
  return false;
}

void TRegion::Offset(int dx, int dy) {
  top_ += dy;
  for (auto& row : rows_)
    for (Span& span : row) {
      span.Left += dx;
      span.Right += dx;
    }
}

TRect TRegion::BoundsRect() const {
  TRect bounds;
  for (size_t i = 0; i < rows_.size(); ++i)
    for (const Span& span : rows_[i])
      bounds = bounds.Union({span.Left, top_ + int(i), span.Right, top_ + int(i) + 1});
  return bounds;
}

int TRegion::LiveCount() { return live_count; }
