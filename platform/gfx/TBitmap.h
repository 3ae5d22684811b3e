#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/TColor.h"

typedef struct _cairo_surface cairo_surface_t;

// A picture of 32-bit pixels (cairo ARGB32, premultiplied; pictures loaded from PNG or JPEG
// are opaque unless the PNG carries alpha). Copying copies the pixels.
class TBitmap {
public:
  TBitmap() = default;
  TBitmap(int width, int height);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // New size, every pixel opaque black; 0 × 0 frees the pixels.
  void SetSize(int width, int height);
  void Assign(const TBitmap& other) { *this = other; }

  // The colour of one pixel (alpha dropped); 0xFFFFFFFF outside the picture.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // Raw access: native-endian 0xAARRGGBB words, Stride() bytes per row.
  uint32_t* Bits() { return pixels_; }
  const uint32_t* Bits() const { return pixels_; }
  int Stride() const { return width_ * 4; }

  // A cairo surface over the pixels; valid until the next SetSize or assignment. Call
  // MarkDirty after drawing into it with cairo.
  cairo_surface_t* Surface() const;
  void MarkDirty() const;
  // Call before reading Bits() when cairo may have drawn into the surface.
  void Flush() const;
  // The pixel word of an opaque colour (a system colour is resolved first).
  static uint32_t ToNative(TColor color);
  // The colour of a pixel word, alpha undone and dropped (a clear pixel reads black).
  static TColor FromNative(uint32_t word);

  // Decoders: false (and the picture unchanged) when the data is not a picture of that kind.
  bool LoadFromPNG(const uint8_t* data, size_t size);
  bool LoadFromJPEG(const uint8_t* data, size_t size);
  // By content: PNG or JPEG.
  bool LoadFromMemory(const uint8_t* data, size_t size);
  bool LoadFromFile(const std::string& path);
  bool SaveToPNG(const std::string& path) const;

private:
  void Release();
  int width_ = 0, height_ = 0;
  uint32_t* pixels_ = nullptr;
  mutable cairo_surface_t* surface_ = nullptr;
};
