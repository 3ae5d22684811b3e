#include "platform/gfx/TFont.h"

#include <string_view>

namespace {
// Every list ends in a CJK family before the generic one, so Chinese text never falls back to
// boxes whichever Latin fonts are installed.
constexpr std::string_view kSerifCJK = "SimSun, Noto Serif CJK SC, AR PL UMing CN, Noto Sans CJK SC, serif";
constexpr std::string_view kSansCJK = "Noto Sans CJK SC, WenQuanYi Micro Hei, sans-serif";

struct FamilyMapping {
  std::string_view name;
  std::string_view families;
};

constexpr FamilyMapping kFamilies[] = {
    {"宋体", kSerifCJK},
    {"新宋体", kSerifCJK},
    {"SimSun", kSerifCJK},
    {"NSimSun", kSerifCJK},
    {"黑体", "SimHei, Noto Sans CJK SC, WenQuanYi Micro Hei, sans-serif"},
    {"SimHei", "SimHei, Noto Sans CJK SC, WenQuanYi Micro Hei, sans-serif"},
    {"MS Sans Serif", "DejaVu Sans, Noto Sans CJK SC, sans-serif"},
    {"Tahoma", "Tahoma, DejaVu Sans, Noto Sans CJK SC, sans-serif"},
    {"Arial", "Arial, Liberation Sans, Nimbus Sans, DejaVu Sans, Noto Sans CJK SC, sans-serif"},
    {"Times New Roman", "Times New Roman, Liberation Serif, Nimbus Roman, DejaVu Serif, Noto Serif CJK SC, serif"},
    {"Courier New", "Courier New, Liberation Mono, Nimbus Mono PS, DejaVu Sans Mono, Noto Sans Mono CJK SC, monospace"},
};
} // namespace

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (this == &other || SameAs(other)) return;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

std::string TFont::FamilyList() const {
  for (const FamilyMapping& mapping : kFamilies)
    if (mapping.name == name_) return std::string(mapping.families);
  if (name_.empty()) return std::string(kSerifCJK);
  // A family we do not know may still be installed; it comes first, the CJK fallback after it.
  return name_ + ", " + std::string(kSansCJK);
}
