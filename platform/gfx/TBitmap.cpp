#include "platform/gfx/TBitmap.h"

#include <algorithm>
#include <cairo.h>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <jpeglib.h>
#include <jerror.h>
#include <vector>

namespace {
// Cairo refuses image surfaces beyond this size, and a picture of the forms is never near it.
constexpr int kMaxSide = 32767;

uint32_t* NewPixels(int width, int height) { return new uint32_t[size_t(width) * size_t(height)]; }

struct PngReader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
};

cairo_status_t ReadPng(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<PngReader*>(closure);
  if (reader->size - reader->pos < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data + reader->pos, length);
  reader->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

// A picture cut short would otherwise be completed in grey; it counts as broken. Other warnings
// (stray bytes between markers and the like) leave a usable picture and are ignored, as is all
// trace output, so the library never writes to stderr.
void JpegMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) JpegFail(info);
}

// Everything the decoder touches lives here, in memory, so that a longjmp out of the library
// finds it intact.
struct JpegJob {
  jpeg_decompress_struct info;
  JpegError error;
  uint32_t* pixels = nullptr;
  JSAMPLE* row = nullptr;
  int width = 0, height = 0;
};

void DecodeJpeg(JpegJob& job, const uint8_t* data, size_t size) {
  jpeg_decompress_struct& info = job.info;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  const bool gray = info.jpeg_color_space == JCS_GRAYSCALE;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = int(info.output_width), height = int(info.output_height);
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) ERREXIT(&info, JERR_IMAGE_TOO_BIG);
  const int components = info.output_components;
  // Allocation failures go through the library's error path too, so its memory is freed.
  job.pixels = new (std::nothrow) uint32_t[size_t(width) * size_t(height)];
  job.row = new (std::nothrow) JSAMPLE[size_t(width) * size_t(components)];
  if (!job.pixels || !job.row) ERREXIT(&info, JERR_OUT_OF_MEMORY);
  while (info.output_scanline < info.output_height) {
    JSAMPLE* rows[1] = {job.row};
    uint32_t* out = job.pixels + size_t(info.output_scanline) * size_t(width);
    jpeg_read_scanlines(&info, rows, 1);
    const JSAMPLE* in = job.row;
    for (int x = 0; x < width; ++x, in += components) {
      uint32_t r, g, b;
      if (gray) {
        r = g = b = in[0];
      } else if (cmyk) {
        // CMYK JPEGs are as a rule stored inverted (0 is full ink).
        r = in[0] * in[3] / 255u;
        g = in[1] * in[3] / 255u;
        b = in[2] * in[3] / 255u;
      } else {
        r = in[0], g = in[1], b = in[2];
      }
      out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(&info);
  job.width = width;
  job.height = height;
}

// On success the job holds the pixels; on failure nothing is left allocated.
bool RunJpeg(JpegJob& job, const uint8_t* data, size_t size) {
  job.info.err = jpeg_std_error(&job.error.mgr);
  job.error.mgr.error_exit = JpegFail;
  job.error.mgr.emit_message = JpegMessage;
  jpeg_create_decompress(&job.info);
  if (setjmp(job.error.jump) != 0) {
    jpeg_destroy_decompress(&job.info);
    delete[] job.row;
    delete[] job.pixels;
    job.row = nullptr;
    job.pixels = nullptr;
    return false;
  }
  DecodeJpeg(job, data, size);
  jpeg_destroy_decompress(&job.info);
  delete[] job.row;
  job.row = nullptr;
  return true;
}
} // namespace

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  if (other.Empty()) {
    Release();
    return *this;
  }
  other.Flush();
  uint32_t* pixels = NewPixels(other.width_, other.height_);
  std::memcpy(pixels, other.pixels_, size_t(other.Stride()) * size_t(other.height_));
  Release();
  pixels_ = pixels;
  width_ = other.width_;
  height_ = other.height_;
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  Release();
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = other.pixels_;
  surface_ = other.surface_;
  other.width_ = other.height_ = 0;
  other.pixels_ = nullptr;
  other.surface_ = nullptr;
  return *this;
}

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
  if (surface_) cairo_surface_destroy(surface_);
  surface_ = nullptr;
  delete[] pixels_;
  pixels_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return;
  pixels_ = NewPixels(width, height);
  width_ = width;
  height_ = height;
  std::fill(pixels_, pixels_ + size_t(width) * size_t(height), 0xFF000000u);
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  Flush();
  return FromNative(pixels_[size_t(y) * size_t(width_) + size_t(x)]);
}

TColor TBitmap::FromNative(uint32_t p) {
  const uint32_t a = p >> 24;
  uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  if (a == 0) return clBlack;
  if (a < 255) {
    r = std::min<uint32_t>(255, (r * 255 + a / 2) / a);
    g = std::min<uint32_t>(255, (g * 255 + a / 2) / a);
    b = std::min<uint32_t>(255, (b * 255 + a / 2) / a);
  }
  return RGB(uint8_t(r), uint8_t(g), uint8_t(b));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Flush();
  pixels_[size_t(y) * size_t(width_) + size_t(x)] = ToNative(color);
  MarkDirty();
}

uint32_t TBitmap::ToNative(TColor color) {
  color = ColorToRGB(color);
  return 0xFF000000u | (uint32_t(GetRValue(color)) << 16) | (uint32_t(GetGValue(color)) << 8) | GetBValue(color);
}

cairo_surface_t* TBitmap::Surface() const {
  if (!surface_ && pixels_) {
    surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels_), CAIRO_FORMAT_ARGB32,
                                                   width_, height_, Stride());
  }
  return surface_;
}

void TBitmap::MarkDirty() const {
  if (surface_) cairo_surface_mark_dirty(surface_);
}

void TBitmap::Flush() const {
  if (surface_) cairo_surface_flush(surface_);
}

bool TBitmap::LoadFromPNG(const uint8_t* data, size_t size) {
  PngReader reader{data, size};
  cairo_surface_t* loaded = cairo_image_surface_create_from_png_stream(ReadPng, &reader);
  bool ok = cairo_surface_status(loaded) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    const int width = cairo_image_surface_get_width(loaded), height = cairo_image_surface_get_height(loaded);
    TBitmap picture(width, height);
    ok = !picture.Empty();
    if (ok) {
      // Painting converts whatever format cairo chose (opaque, grey, alpha) into ours.
      cairo_t* cr = cairo_create(picture.Surface());
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_surface(cr, loaded, 0, 0);
      cairo_paint(cr);
      cairo_destroy(cr);
      picture.Flush();
      *this = std::move(picture);
    }
  }
  cairo_surface_destroy(loaded);
  return ok;
}

bool TBitmap::LoadFromJPEG(const uint8_t* data, size_t size) {
  JpegJob job;
  if (!RunJpeg(job, data, size)) return false;
  Release();
  pixels_ = job.pixels;
  width_ = job.width;
  height_ = job.height;
  return true;
}

bool TBitmap::LoadFromMemory(const uint8_t* data, size_t size) {
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= sizeof kPng && std::memcmp(data, kPng, sizeof kPng) == 0) return LoadFromPNG(data, size);
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return LoadFromJPEG(data, size);
  return false;
}

bool TBitmap::LoadFromFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return false;
  return LoadFromMemory(bytes.data(), bytes.size());
}

bool TBitmap::SaveToPNG(const std::string& path) const {
  cairo_surface_t* surface = Surface();
  if (!surface) return false;
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
