#pragma once
#include <gtest/gtest.h>

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"
#include "widgets/TDsFancyButton.h"

constexpr TColor kMagenta = RGB(255, 0, 255);
constexpr TColor kBackground = RGB(30, 60, 90);

// A strip of `cells` cells of cellWidth × height. Each pixel tells where it came from: red is the
// column within its cell, green 40 + 50 × the cell index, blue the row. A 10 × 10 block at the
// bottom left of every cell is the key colour.
inline TBitmap MakeStrip(int cellWidth, int height, int cells, TColor key = kMagenta) {
  TBitmap strip(cellWidth * cells, height);
  for (int k = 0; k < cells; ++k)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < cellWidth; ++x) {
        const bool isKey = x < 10 && y >= height - 10;
        strip.SetPixel(k * cellWidth + x, y, isKey ? key : RGB(uint8_t(x), uint8_t(40 + 50 * k), uint8_t(y)));
      }
  return strip;
}

// The cell index a pixel painted from MakeStrip came from, or -1.
inline int CellOf(TColor pixel) {
  const int g = GetGValue(pixel);
  return g >= 40 && (g - 40) % 50 == 0 ? (g - 40) / 50 : -1;
}

inline int Grey(TColor c) { return GetRValue(c); }

// A fancy button that counts its paints.
class TCountingButton : public TDsFancyButton {
public:
  using TDsFancyButton::TDsFancyButton;
  int paints = 0;

protected:
  void Paint() override {
    ++paints;
    TDsFancyButton::Paint();
  }
};

// One form on the headless backend with one 80 × 50 button at (20, 10) over a plain background.
// Pointer positions given to the helpers are in button coordinates.
class FancyTest : public ::testing::Test {
protected:
  FancyTest() {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 240, 120);
    form.SetColor(kBackground);
    btn.SetBounds(20, 10, 80, 50);
    form.Show();
    app.ProcessMessages();
  }

  TColor At(int x, int y) { return form.Snapshot().Pixel(btn.Left() + x, btn.Top() + y); }
  // Paints what is dirty and tells whether anything was.
  bool Flush() {
    const bool dirty = form.HasDirty();
    form.PaintNow();
    return dirty;
  }

  // Scripted pointer input, handled at once.
  void Move(int x, int y) {
    backend.MoveTo(btn, x, y);
    app.ProcessMessages();
  }
  // The pointer button goes down or up where the pointer is.
  void Down(TMouseButton b = TMouseButton::mbLeft) {
    backend.Press(b);
    app.ProcessMessages();
  }
  void Up(TMouseButton b = TMouseButton::mbLeft) {
    backend.Release(b);
    app.ProcessMessages();
  }
  // A touch: the pointer moves to the point, then the button goes down and up there.
  void Tap(int x, int y) {
    backend.Click(btn, x, y);
    app.ProcessMessages();
  }
  // Somewhere on the form, away from the button.
  void MoveAway() { Move(-15, 45); }

  THeadlessBackend backend;
  TApplication app{backend};
  TForm form{nullptr};
  TCountingButton btn{&form};
};
