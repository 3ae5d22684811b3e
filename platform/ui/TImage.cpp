#include "platform/ui/TImage.h"

#include <algorithm>
#include <utility>

TImage::TImage(TWinControl* parent) : TGraphicControl(parent) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const TBitmap& picture) {
  picture_ = picture;
  PictureChanged();
}

void TImage::SetPicture(TBitmap&& picture) {
  picture_ = std::move(picture);
  PictureChanged();
}

bool TImage::LoadFromFile(const std::string& path) {
  TBitmap loaded;
  if (!loaded.LoadFromFile(path)) return false;
  SetPicture(std::move(loaded));
  return true;
}

void TImage::SetTransparent(bool v) {
  if (transparent_ == v) return;
  transparent_ = v;
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  if (auto_size_ == v) return;
  auto_size_ = v;
  if (auto_size_) PictureChanged();
}

void TImage::PictureChanged() {
  // The old bounds are invalidated before and the new ones after a size change, so nothing of the
  // old picture is left behind.
  Invalidate();
  if (auto_size_ && !picture_.Empty() && (picture_.Width() != Width() || picture_.Height() != Height()))
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
  if (OnPictureChanged) OnPictureChanged(this);
}

void TImage::Paint() {
  if (picture_.Empty()) return;
  TCanvas& canvas = *Canvas();
  if (!transparent_) {
    canvas.Draw(0, 0, picture_);
    return;
  }
  int w = std::min(picture_.Width(), Width());
  int h = std::min(picture_.Height(), Height());
  if (w <= 0 || h <= 0) return;
  TBrush saved = canvas.Brush;
  canvas.Brush.Style = TBrushStyle::bsClear;
  TRect area = Bounds(0, 0, w, h);
  canvas.BrushCopy(area, picture_, area, picture_.Pixel(0, picture_.Height() - 1));
  canvas.Brush = saved;
}
