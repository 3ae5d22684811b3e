#include "widgets/TDsEffect.h"

#include <algorithm>

namespace {
// Stores value and reports whether it differed from what was there.
template <typename T> bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}
} // namespace

void TDsEffect::DoChanges() {
  if (OnEffectChange) OnEffectChange(this);
}

void TDsEffect::SetButtonColor(TColor value) {
  if (Store(face_color_, value)) DoChanges();
}

void TDsEffect::SetFrameColor(TColor value) {
  if (Store(frame_color_, value)) DoChanges();
}

void TDsEffect::SetFrameStyle(TFrameStyle value) {
  if (Store(frame_style_, value)) DoChanges();
}

void TDsEffect::SetFrameWidth(int value) {
  if (Store(frame_width_, std::clamp(value, MinFrameWidth, MaxFrameWidth))) DoChanges();
}

void TDsEffect::SetHoverColor(TColor value) {
  if (Store(hover_color_, value)) DoChanges();
}

void TDsEffect::SetBtnShape(TBtnShape value) {
  if (Store(shape_, value)) DoChanges();
}

void TDsEffect::SetCornerRadius(int value) {
  if (Store(corner_radius_, std::clamp(value, MinCornerRadius, MaxCornerRadius))) DoChanges();
}

void TDsEffect::SetTextStyle(TTextStyle value) {
  if (Store(text_style_, value)) DoChanges();
}
