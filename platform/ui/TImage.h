#pragma once
#include "platform/gfx/TBitmap.h"
#include "platform/ui/TGraphicControl.h"

// A picture drawn at its own size from the control's top-left corner, neither stretched nor
// tiled; whatever lies beyond the control is cut off. Where there is no picture the parent shows.
class TImage : public TGraphicControl {
public:
  explicit TImage(TWinControl* parent);

  const TBitmap& Picture() const { return picture_; }
  void SetPicture(const TBitmap& picture);
  void SetPicture(TBitmap&& picture);
  // Loads a PNG or JPEG file; false (and the picture unchanged) when it cannot be read.
  bool LoadFromFile(const std::string& path);

  // The colour of the bottom-left pixel is left out, so the parent shows through it.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // The control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);

  TNotifyEvent OnPictureChanged;

protected:
  void Paint() override;

private:
  void PictureChanged();
  TBitmap picture_;
  bool transparent_ = false;
  bool auto_size_ = false;
};
