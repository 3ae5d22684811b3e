#pragma once
#include "platform/gfx/TBitmap.h"
#include "platform/ui/TButtonControl.h"

// A push button with a picture left of its caption. A click sets the owning form's ModalResult to
// the button's; the form's default button takes Enter and its cancel button Escape.
class TBitBtn : public TButtonControl {
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
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  bool WantsKey(uint16_t key) const override { return key == VK_RETURN; }
  int CMDialogChar(uint32_t charCode) override;

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  // The default button shows its dark frame while no other button has the focus.
  bool ShowsDefaultFrame() const;
  void InvalidateDefaultButtons();
  void DrawGlyph(TCanvas& canvas, int x, int y);
  TBitmap glyph_;
  bool glyph_has_alpha_ = false;
  int modal_result_ = 0;
  int spacing_ = 4;
  bool default_ = false, cancel_ = false;
};
