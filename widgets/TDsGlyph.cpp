#include "widgets/TDsGlyph.h"

#include <algorithm>

void TDsGlyph::DoChanges() {
  if (OnGlyphChange) OnGlyphChange(this);
}

void TDsGlyph::SetBmpGlyph(const TBitmap& picture) {
  if (&picture != glyph_.get()) glyph_->Assign(picture);
  DoChanges();
}

void TDsGlyph::SetBmpLayout(TBmpLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  DoChanges();
}

void TDsGlyph::SetGlyphsNum(uint8_t value) {
  value = uint8_t(std::clamp<int>(value, MinNumber, MaxNumber));
  if (number_ == value) return;
  number_ = value;
  DoChanges();
}

void TDsGlyph::SetGlyphSpace(int value) {
  value = std::max(value, 0);
  if (distance_ == value) return;
  distance_ = value;
  DoChanges();
}
