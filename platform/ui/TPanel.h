#pragma once
#include "platform/ui/TWinControl.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container with a 3D bevel and an optional centred caption. Its children are placed relative
// to its outer top-left corner; aligned children keep clear of the bevels and the border.
class TPanel : public TWinControl {
public:
  explicit TPanel(TWinControl* parent);

  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut v);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);

protected:
  void PaintWindow(TCanvas& canvas) override;
  TRect AlignRect() const override;

private:
  void FrameChanged();
  TBevelCut bevel_outer_ = bvRaised;
  TBevelCut bevel_inner_ = bvNone;
  int bevel_width_ = 1;
  int border_width_ = 0;
};
