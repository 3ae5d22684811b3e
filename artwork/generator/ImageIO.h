#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "artwork/generator/Canvas.h"

// 24-bit PNG: the alpha channel is dropped (every picture written this way is opaque).
void WritePng24(const Image& image, const std::string& path);
// 32-bit PNG with straight alpha.
void WritePng32(const Image& image, const std::string& path);

// Baseline JPEG without chroma subsampling, so that thin coloured lines stay sharp.
std::vector<uint8_t> EncodeJpeg(const Image& image, int quality);
Image DecodeJpeg(const std::vector<uint8_t>& data);
void WriteFile(const std::vector<uint8_t>& data, const std::string& path);
