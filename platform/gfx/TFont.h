#pragma once
#include <functional>
#include <string>

#include "platform/gfx/TColor.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font as the forms name it. Height is in pixels; a negative height (the form files' way of
// giving the character height) is taken by its size. "宋体" and the other Windows family names map
// to fontconfig lists when the text is laid out.
class TFont {
public:
  TFont() = default;
  TFont(const TFont& other) : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_) {}
  TFont& operator=(const TFont& other) { Assign(other); return *this; }

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  TFontStyles Style() const { return style_; }

  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetColor(TColor color);
  void SetStyle(TFontStyles style);
  // Copies name, height, colour and style, then raises OnChange once if anything differed.
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_;
  }

  // The fontconfig family list for Name(), for pango.
  std::string FamilyList() const;

  std::function<void()> OnChange;

private:
  void Changed() { if (OnChange) OnChange(); }
  std::string name_ = "宋体";
  int height_ = 13;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
};
