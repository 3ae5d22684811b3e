#pragma once
#include <cstdint>
#include <memory>

#include "platform/gfx/TRegion.h"
#include "platform/ui/TGraphicControl.h"
#include "widgets/TDsEffect.h"
#include "widgets/TDsGlyph.h"

// The picture push button of the touch surfaces: a windowless control that shows one cell of a
// strip of state pictures (normal, disabled, pressed, hover), optionally over a graded shape and
// under a caption with a text effect. Pointer input follows the shape, and the click is raised
// on release while the pointer counts as over the shape.
class TDsFancyButton : public TGraphicControl {
public:
  // The component palette page a form designer lists the control on.
  static constexpr const char* PaletteName = "Fancy Compo";
  // Neither side stays larger than this after a paint.
  static constexpr int MaxSize = 145;

  enum : int { dsNormal = 1, dsDisabled = 2, dsPressed = 3, dsHover = 4 };

  explicit TDsFancyButton(TWinControl* parent);
  ~TDsFancyButton() override;

  TDsEffect* FancyEffects() const { return effect_.get(); }
  TDsGlyph* Glyphs() const { return glyph_.get(); }

  // Run-time state, as the last paint or pointer event left it.
  int CellWidth() const { return cell_width_; }
  int DrawState() const { return draw_state_; }
  bool Pressed() const { return pressed_; }
  bool MouseInRegion() const { return mouse_in_region_; }
  int GlyphLeft() const { return glyph_left_; }
  int GlyphTop() const { return glyph_top_; }
  int TextLeft() const { return text_left_; }
  int TextTop() const { return text_top_; }
  TColor KeyColor() const { return key_color_; }

  // Whether a point in button coordinates lies in the button's shape.
  bool IsInRegion(int X, int Y) const;
  // The target of both property objects' change events.
  void UpdateChanges(TObject* Sender);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // The library's click step (press and release inside the rectangle) only repaints: OnClick
  // comes from the release on the shape and from the accelerator.
  void Click() override;

  void CMMouseLeave() override;
  void CMEnabledChanged() override;
  void CMTextChanged() override;
  int CMDialogChar(uint32_t charCode) override;

protected:
  // Paints, then cuts a side larger than MaxSize back to it.
  void WMPaint() override;
  void Paint() override;

  void DrawButtonArea();
  void DrawShape();
  void DrawShapePressed();
  void LayoutSetting();
  void DrawGlyph();
  void WriteCaption();

private:
  // The width of the corner ellipse of the capsule and rectangle shapes.
  int CornerDiameter() const;

  std::unique_ptr<TDsEffect> effect_;
  std::unique_ptr<TDsGlyph> glyph_;
  int cell_width_ = 0;
  int draw_state_ = dsNormal;
  bool pressed_ = false;
  bool mouse_in_region_ = false;
  int glyph_left_ = 0, glyph_top_ = 0;
  int text_left_ = 0, text_top_ = 0;
  int text_width_ = 0, text_height_ = 0;
  TColor key_color_ = clBlack;
};
