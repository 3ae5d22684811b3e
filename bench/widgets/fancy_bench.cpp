#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"
#include "widgets/TDsFancyButton.h"

namespace {

constexpr TColor kMagenta = RGB(255, 0, 255);

// A browser-style strip: four 80 × 50 cells, each a face with its corners in the key colour.
TBitmap MakeStrip() {
  TBitmap strip(320, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 320; ++x) {
      const int cx = x % 80;
      const bool corner = (cx < 4 || cx >= 76) && (y < 4 || y >= 46);
      strip.SetPixel(x, y, corner ? kMagenta : RGB(0, uint8_t(100 + 40 * (x / 80)), uint8_t(y)));
    }
  return strip;
}

class TCountingButton : public TDsFancyButton {
public:
  using TDsFancyButton::TDsFancyButton;
  int64_t paints = 0;

protected:
  void Paint() override {
    ++paints;
    TDsFancyButton::Paint();
  }
};

struct Scene {
  Scene() {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 120, 70);
    btn.SetBounds(10, 10, 80, 50);
    btn.FancyEffects()->SetFrameStyle(fmNone);
    btn.FancyEffects()->SetCornerRadius(3);
    btn.Glyphs()->SetBmpLayout(lyCenter);
    btn.Glyphs()->SetGlyphsNum(4);
    btn.Glyphs()->SetBmpGlyph(MakeStrip());
    form.Show();
    app.ProcessMessages();
  }
  THeadlessBackend backend;
  TApplication app{backend};
  TForm form{nullptr};
  TCountingButton btn{&form};
};

// A pointer move over a hovered button: the hit test runs, nothing changes, nothing is drawn.
void BM_MoveThatChangesNothing(benchmark::State& state) {
  Scene scene;
  scene.btn.MouseMove(0, 40, 25);
  scene.form.PaintNow();
  const int64_t paintsBefore = scene.btn.paints;
  int x = 0;
  for (auto _ : state) {
    scene.btn.MouseMove(0, 30 + (x++ & 15), 25);
    benchmark::DoNotOptimize(scene.btn.DrawState());
  }
  scene.form.PaintNow();
  state.counters["paints"] = double(scene.btn.paints - paintsBefore);
  state.counters["dirty"] = scene.form.HasDirty();
}
BENCHMARK(BM_MoveThatChangesNothing);

// One whole paint of the 80 × 50 button from its 320 × 50 strip into a bitmap of its size.
void BM_PaintFromStrip(benchmark::State& state) {
  Scene scene;
  TBitmap target(80, 50);
  TCanvas canvas(target);
  for (auto _ : state) {
    scene.btn.PaintTo(canvas);
    benchmark::DoNotOptimize(target.Bits());
  }
  state.counters["paints_per_iter"] = benchmark::Counter(double(scene.btn.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PaintFromStrip);

// The floor: the same 80 × 50 pixels copied row by row out of the strip.
void BM_PlainCopy(benchmark::State& state) {
  const TBitmap strip = MakeStrip();
  TBitmap target(80, 50);
  for (auto _ : state) {
    for (int y = 0; y < 50; ++y)
      std::memcpy(target.Bits() + y * 80, strip.Bits() + y * 320 + 240, 80 * sizeof(uint32_t));
    benchmark::DoNotOptimize(target.Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopy);

} // namespace

BENCHMARK_MAIN();
