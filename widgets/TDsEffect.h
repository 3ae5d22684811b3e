#pragma once
#include "platform/gfx/TColor.h"
#include "widgets/DsTypes.h"
#include "widgets/TPersistent.h"

// The fancy button's colours, shape, frame and text effect. Each setter keeps its value in
// range and raises OnEffectChange only when the kept value differs from the stored one.
class TDsEffect : public TPersistent {
public:
  static constexpr int MinFrameWidth = 3, MaxFrameWidth = 14;
  static constexpr int MinCornerRadius = 0, MaxCornerRadius = 145;

  TDsEffect() = default;

  TColor FaceColor() const { return face_color_; }
  TColor FrameColor() const { return frame_color_; }
  TFrameStyle FrameStyle() const { return frame_style_; }
  int FrameWidth() const { return frame_width_; }
  TColor HoverColor() const { return hover_color_; }
  TBtnShape Shape() const { return shape_; }
  int CornerRadius() const { return corner_radius_; }
  TTextStyle TextStyle() const { return text_style_; }

  void SetButtonColor(TColor value);
  void SetFrameColor(TColor value);
  void SetFrameStyle(TFrameStyle value);
  void SetFrameWidth(int value);
  void SetHoverColor(TColor value);
  void SetBtnShape(TBtnShape value);
  void SetCornerRadius(int value);
  void SetTextStyle(TTextStyle value);

  // The setters under the names of the properties they set.
  void SetFaceColor(TColor value) { SetButtonColor(value); }
  void SetShape(TBtnShape value) { SetBtnShape(value); }

  TNotifyEvent OnEffectChange;

protected:
  void DoChanges();

private:
  TColor face_color_ = clBtnFace;
  TColor frame_color_ = clGray;
  TFrameStyle frame_style_ = fmGradient;
  int frame_width_ = 4;
  TColor hover_color_ = clBlue;
  TBtnShape shape_ = btnRectangle;
  int corner_radius_ = 6;
  TTextStyle text_style_ = txLowered;
};
