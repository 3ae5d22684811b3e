#include <gtest/gtest.h>

#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

#include "platform/gfx/TBitmap.h"

namespace {

using Bytes = std::vector<uint8_t>;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<Bytes*>(closure)->insert(static_cast<Bytes*>(closure)->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// A 3 × 2 picture: a magenta key pixel, red, green / blue, white, and red at half alpha.
Bytes MakePng(cairo_format_t format) {
  cairo_surface_t* surface = cairo_image_surface_create(format, 3, 2);
  auto* words = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  const uint32_t pixels[2][3] = {{0xFFFF00FF, 0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF, 0x80800000}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) words[y * stride + x] = pixels[y][x];
  cairo_surface_mark_dirty(surface);
  Bytes png;
  cairo_surface_write_to_png_stream(surface, AppendBytes, &png);
  cairo_surface_destroy(surface);
  return png;
}

// Left half red, right half blue; or a grey ramp when gray is set.
Bytes MakeJpeg(int width, int height, bool gray) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(size_t(width) * size_t(info.input_components));
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < width; ++x) {
      if (gray) {
        row[size_t(x)] = JSAMPLE(x * 255 / (width - 1));
      } else {
        const bool left = x < width / 2;
        row[size_t(x) * 3 + 0] = left ? 255 : 0;
        row[size_t(x) * 3 + 1] = 0;
        row[size_t(x) * 3 + 2] = left ? 0 : 255;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

void ExpectNear(TColor actual, TColor expected, int tolerance) {
  EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance) << std::hex << actual;
  EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance) << std::hex << actual;
}

TEST(Bitmap, NewPixelsAreOpaqueBlackAndOutsideReadsAllOnes) {
  TBitmap picture(4, 3);
  EXPECT_EQ(picture.Pixel(0, 0), clBlack);
  EXPECT_EQ(picture.Bits()[11], 0xFF000000u);
  EXPECT_EQ(picture.Pixel(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(picture.Pixel(0, -1), 0xFFFFFFFFu);
  picture.SetPixel(3, 2, clMoneyGreen);
  EXPECT_EQ(picture.Pixel(3, 2), clMoneyGreen);
  EXPECT_EQ(picture.Bits()[11], 0xFFC0DCC0u); // 0xAARRGGBB
  picture.SetPixel(1, 1, clBtnFace);
  EXPECT_EQ(picture.Pixel(1, 1), ColorToRGB(clBtnFace));
  picture.SetSize(0, 0);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Bits(), nullptr);
}

TEST(Bitmap, PixelUndoesPremultipliedAlpha) {
  TBitmap picture(1, 1);
  picture.Bits()[0] = 0x80400020; // alpha 128: red 64, blue 32 premultiplied
  EXPECT_EQ(picture.Pixel(0, 0), RGB(128, 0, 64));
  picture.Bits()[0] = 0;
  EXPECT_EQ(picture.Pixel(0, 0), clBlack);
}

TEST(Bitmap, CopiesOwnTheirPixels) {
  TBitmap original(2, 2);
  original.SetPixel(0, 0, clRed);
  TBitmap copy = original;
  copy.SetPixel(0, 0, clBlue);
  EXPECT_EQ(original.Pixel(0, 0), clRed);
  EXPECT_EQ(copy.Pixel(0, 0), clBlue);
  TBitmap assigned;
  assigned.Assign(original);
  EXPECT_NE(assigned.Bits(), original.Bits());
  EXPECT_EQ(assigned.Pixel(0, 0), clRed);
  TBitmap moved = std::move(copy);
  EXPECT_EQ(moved.Pixel(0, 0), clBlue);
  EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, SurfaceDrawsIntoThePixels) {
  TBitmap picture(4, 4);
  cairo_t* cr = cairo_create(picture.Surface());
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_rectangle(cr, 2, 0, 2, 4);
  cairo_fill(cr);
  cairo_destroy(cr);
  picture.MarkDirty();
  EXPECT_EQ(picture.Pixel(1, 0), clBlack);
  EXPECT_EQ(picture.Pixel(2, 3), clRed);
}

TEST(Bitmap, LoadsPngWithAlphaAndOpaquePng) {
  const Bytes png = MakePng(CAIRO_FORMAT_ARGB32);
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromMemory(png.data(), png.size()));
  ASSERT_EQ(picture.Width(), 3);
  ASSERT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.Pixel(0, 0), clFuchsia);
  EXPECT_EQ(picture.Pixel(1, 0), clRed);
  EXPECT_EQ(picture.Pixel(2, 0), clLime);
  EXPECT_EQ(picture.Pixel(0, 1), clBlue);
  EXPECT_EQ(picture.Bits()[5] >> 24, 0x80u);
  ExpectNear(picture.Pixel(2, 1), clRed, 1);

  const Bytes opaque = MakePng(CAIRO_FORMAT_RGB24);
  ASSERT_TRUE(picture.LoadFromPNG(opaque.data(), opaque.size()));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(picture.Bits()[i] >> 24, 0xFFu) << i;
  EXPECT_EQ(picture.Pixel(0, 0), clFuchsia);
}

TEST(Bitmap, SavedPngLoadsBackFromFile) {
  TBitmap picture(5, 4);
  picture.SetPixel(4, 3, clTeal);
  const std::string path = testing::TempDir() + "gfx_saved.png";
  ASSERT_TRUE(picture.SaveToPNG(path));
  TBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromFile(path));
  std::remove(path.c_str());
  EXPECT_EQ(loaded.Width(), 5);
  EXPECT_EQ(loaded.Pixel(4, 3), clTeal);
  EXPECT_EQ(loaded.Pixel(0, 0), clBlack);
  EXPECT_FALSE(loaded.LoadFromFile(testing::TempDir() + "gfx_no_such_file.png"));
  EXPECT_EQ(loaded.Width(), 5);
}

TEST(Bitmap, DecodesColourAndGreyJpeg) {
  const Bytes colour = MakeJpeg(16, 8, false);
  TBitmap picture;
  ASSERT_TRUE(picture.LoadFromMemory(colour.data(), colour.size()));
  ASSERT_EQ(picture.Width(), 16);
  ASSERT_EQ(picture.Height(), 8);
  ExpectNear(picture.Pixel(2, 4), clRed, 12);
  ExpectNear(picture.Pixel(13, 4), clBlue, 12);
  EXPECT_EQ(picture.Bits()[0] >> 24, 0xFFu);

  const Bytes grey = MakeJpeg(32, 4, true);
  ASSERT_TRUE(picture.LoadFromJPEG(grey.data(), grey.size()));
  ASSERT_EQ(picture.Width(), 32);
  ExpectNear(picture.Pixel(0, 1), clBlack, 6);
  ExpectNear(picture.Pixel(31, 1), clWhite, 6);
  const TColor middle = picture.Pixel(16, 1);
  EXPECT_EQ(GetRValue(middle), GetGValue(middle));
  EXPECT_EQ(GetRValue(middle), GetBValue(middle));
}

TEST(Bitmap, BrokenPicturesAreRefusedAndLeaveThePictureAsItWas) {
  const Bytes jpeg = MakeJpeg(64, 64, false);
  const Bytes png = MakePng(CAIRO_FORMAT_ARGB32);
  Bytes garbage_jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x42, 0x42};
  const struct {
    const char* what;
    Bytes data;
    bool (TBitmap::*load)(const uint8_t*, size_t);
  } cases[] = {
      {"empty jpeg", {}, &TBitmap::LoadFromJPEG},
      {"garbage after a jpeg signature", garbage_jpeg, &TBitmap::LoadFromJPEG},
      {"jpeg cut in its header", Bytes(jpeg.begin(), jpeg.begin() + 100), &TBitmap::LoadFromJPEG},
      {"jpeg cut in its scan", Bytes(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2)), &TBitmap::LoadFromJPEG},
      {"png given to the jpeg decoder", png, &TBitmap::LoadFromJPEG},
      {"jpeg given to the png decoder", jpeg, &TBitmap::LoadFromPNG},
      {"png cut short", Bytes(png.begin(), png.begin() + long(png.size() - 20)), &TBitmap::LoadFromPNG},
      {"neither", Bytes{'G', 'I', 'F', '8', '9', 'a'}, &TBitmap::LoadFromMemory},
  };
  for (const auto& c : cases) {
    TBitmap picture(7, 3);
    picture.SetPixel(0, 0, clRed);
    EXPECT_FALSE((picture.*c.load)(c.data.data(), c.data.size())) << c.what;
    EXPECT_EQ(picture.Width(), 7) << c.what;
    EXPECT_EQ(picture.Pixel(0, 0), clRed) << c.what;
  }
}

} // namespace
