#pragma once
#include <cstdint>
#include <memory>

#include "platform/gfx/TBitmap.h"
#include "widgets/DsTypes.h"
#include "widgets/TPersistent.h"

// The fancy button's picture strip (up to four state cells side by side) and where it goes.
// The strip is owned here; SetBmpGlyph copies a picture into it.
class TDsGlyph : public TPersistent {
public:
  static constexpr int MinNumber = 1, MaxNumber = 4;

  TDsGlyph() : glyph_(std::make_unique<TBitmap>()) {}

  const TBitmap& Glyph() const { return *glyph_; }
  TBmpLayout Layout() const { return layout_; }
  uint8_t Number() const { return number_; }
  int Distance() const { return distance_; }

  // Always copies and raises OnGlyphChange: the new picture may differ only in its pixels.
  void SetBmpGlyph(const TBitmap& picture);
  void SetBmpLayout(TBmpLayout value);
  void SetGlyphsNum(uint8_t value);
  void SetGlyphSpace(int value);

  // The setters under the names of the properties they set.
  void SetGlyph(const TBitmap& picture) { SetBmpGlyph(picture); }
  void SetLayout(TBmpLayout value) { SetBmpLayout(value); }
  void SetNumber(uint8_t value) { SetGlyphsNum(value); }
  void SetDistance(int value) { SetGlyphSpace(value); }

  TNotifyEvent OnGlyphChange;

protected:
  void DoChanges();

private:
  std::unique_ptr<TBitmap> glyph_;
  TBmpLayout layout_ = lyLeft;
  uint8_t number_ = 1;
  int distance_ = 0;
};
