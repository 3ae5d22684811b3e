#include "artwork/generator/ImageIO.h"

#include <jpeglib.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

void WritePng(cairo_surface_t* surface, const std::string& path) {
  if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

}  // namespace

void WritePng24(const Image& image, const std::string& path) {
  cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.Width(), image.Height());
  cairo_t* cr = cairo_create(rgb);
  cairo_set_source_surface(cr, image.Surface(), 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(rgb);
  WritePng(rgb, path);
  cairo_surface_destroy(rgb);
}

void WritePng32(const Image& image, const std::string& path) { WritePng(image.Surface(), path); }

std::vector<uint8_t> EncodeJpeg(const Image& image, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = image.Width();
  cinfo.image_height = image.Height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  for (int c = 0; c < 3; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(image.Width() * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = cinfo.next_scanline;
    for (int x = 0; x < image.Width(); ++x) {
      uint32_t p = image.Get(x, y);
      row[x * 3 + 0] = (p >> 16) & 0xFF;
      row[x * 3 + 1] = (p >> 8) & 0xFF;
      row[x * 3 + 2] = p & 0xFF;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  free(buffer);
  return out;
}

Image DecodeJpeg(const std::vector<uint8_t>& data) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), data.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  Image image(cinfo.output_width, cinfo.output_height);
  std::vector<uint8_t> row(cinfo.output_width * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = cinfo.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (unsigned x = 0; x < cinfo.output_width; ++x)
      image.Set(x, y, 0xFF000000u | (row[x * 3] << 16) | (row[x * 3 + 1] << 8) | row[x * 3 + 2]);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return image;
}

void WriteFile(const std::vector<uint8_t>& data, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}
