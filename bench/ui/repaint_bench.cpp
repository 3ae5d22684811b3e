// A full repaint of a keyboard-sized form of picture keys, against copying the same back buffer
// with memcpy: the floor that no repaint can beat. Both run in one go and the ratio is printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TGraphicControl.h"

namespace {

constexpr int kFormWidth = 715, kFormHeight = 238, kKeys = 63, kCell = 45;
constexpr TColor kKey = RGB(255, 0, 255);

// Four 45 × 45 cells of a shaded face whose cut-off corners are the key colour.
TBitmap MakeStrip() {
  TBitmap strip(4 * kCell, kCell);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        const bool corner = (x < 4 || x >= kCell - 4) && (y < 4 || y >= kCell - 4);
        strip.SetPixel(k * kCell + x, y, corner ? kKey : RGB(uint8_t(40 * k), uint8_t(100 + x), uint8_t(60 + y)));
      }
  return strip;
}

// Paints one cell of the strip, leaving the key colour out, as the keyboard's buttons do.
class TPictureKey : public TGraphicControl {
public:
  TPictureKey(TWinControl* parent, const TBitmap& strip, int cell) : TGraphicControl(parent), strip_(strip), cell_(cell) {}

protected:
  void Paint() override {
    Canvas()->Brush.Style = TBrushStyle::bsClear;
    Canvas()->BrushCopy(Bounds(0, 0, kCell, kCell), strip_, Bounds(cell_ * kCell, 0, kCell, kCell), kKey);
  }

private:
  const TBitmap& strip_;
  int cell_;
};

struct TKeyboard {
  THeadlessBackend backend;
  TApplication app{backend};
  TForm form{nullptr};
  TBitmap strip = MakeStrip();
  std::vector<std::unique_ptr<TPictureKey>> keys;

  TKeyboard() {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, kFormWidth, kFormHeight);
    for (int i = 0; i < kKeys; ++i) {
      keys.push_back(std::make_unique<TPictureKey>(&form, strip, i % 4));
      keys.back()->SetBounds(2 + (i % 15) * 47, 2 + (i / 15) * 47, kCell, kCell);
    }
    form.Show();
    app.ProcessMessages();
  }
};

void BM_FullRepaint(benchmark::State& state) {
  TKeyboard keyboard;
  for (auto _ : state) {
    keyboard.form.Invalidate();
    keyboard.form.PaintNow();
    benchmark::DoNotOptimize(keyboard.form.BackBuffer().Bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_MemcpyBackBuffer(benchmark::State& state) {
  std::vector<uint32_t> from(size_t(kFormWidth) * kFormHeight, 0x00FF00FFu), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyBackBuffer)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's real and CPU time per iteration so main can print the ratios (on a
// shared machine the CPU time is the steadier of the two).
class TRecordingReporter : public benchmark::ConsoleReporter {
public:
  struct TTimes {
    double real = 0, cpu = 0;
  };
  std::map<std::string, TTimes> times;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        times[r.benchmark_name()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
  }
};

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto repaint = reporter.times.find("BM_FullRepaint");
  const auto copy = reporter.times.find("BM_MemcpyBackBuffer");
  if (repaint != reporter.times.end() && copy != reporter.times.end() && copy->second.real > 0 && copy->second.cpu > 0) {
    const auto& r = repaint->second;
    const auto& c = copy->second;
    std::printf("full repaint %.1f us real, %.1f us CPU; memcpy %.2f us real, %.2f us CPU\n", r.real, r.cpu, c.real, c.cpu);
    std::printf("ratio %.1fx real, %.1fx CPU (goal: at most 20x)\n", r.real / c.real, r.cpu / c.cpu);
  }
  benchmark::Shutdown();
  return 0;
}
