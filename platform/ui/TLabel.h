#pragma once
#include "platform/ui/TGraphicControl.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A caption on one line, top-aligned in the control. With AutoSize (the default) the control takes
// the size of its text; a right-justified label keeps its right edge, the others their left.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TWinControl* parent);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  // No background is painted, so the parent shows between the letters.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // "&" marks the accelerator letter, drawn underlined.
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v);

  void CMTextChanged() override;
  void CMFontChanged() override;

protected:
  void Paint() override;
  void Loaded() override;

private:
  unsigned TextFlags() const;
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  bool transparent_ = false;
  bool show_accel_char_ = true;
};
