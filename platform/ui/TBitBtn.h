#pragma once
#include "platform/gfx/TBitmap.h"
#include "platform/ui/TWinControl.h"

// A push button with a picture left of its caption. A click sets the owning form's ModalResult to
// the button's; the form's default button takes Enter and its cancel button Escape.
class TBitBtn : public TWinControl {
public:
  explicit TBitBtn(TWinControl* parent);

  // Pixels of the bottom-left pixel's colour are left out; a picture with alpha blends instead.
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& glyph);
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int v) { modal_result_ = v; }
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  // Pixels between the picture and the caption.
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);

  bool IsDefault() const override { return default_; }
  bool IsCancel() const override { return cancel_; }

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  bool WantsKey(uint16_t key) const override { return key == VK_RETURN; }
  int CMDialogChar(uint32_t charCode) override;

  // Whether the button is drawn pushed in (held by the pointer or by Space).
  bool Down() const { return (mouse_down_ && mouse_inside_) || key_down_; }

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  // The default button shows its dark frame while no other button has the focus.
  bool ShowsDefaultFrame() const;
  void InvalidateButtons();
  void DrawGlyph(TCanvas& canvas, int x, int y);
  TBitmap glyph_;
  bool glyph_has_alpha_ = false;
  int modal_result_ = 0;
  int spacing_ = 4;
  bool default_ = false, cancel_ = false;
  bool mouse_down_ = false, mouse_inside_ = false, key_down_ = false;
};
