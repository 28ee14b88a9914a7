// The title's turning logo: the rotation walks each row with steps taken
// once per call, against turning every pixel on its own.
#include <benchmark/benchmark.h>

#include <cmath>

#include "graphics/rotation.h"
#include "graphics/surface.h"

namespace {

constexpr int kSize = 180;

struct Logo {
  Logo() {
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) source.Row(y)[x] = static_cast<Pixel>(x * 7 + y * 13);
  }
  CSurface source{kSize, kSize};
  CSurface frame{240, 320};
};

// Each destination pixel turned back to its source pixel with a sine and
// cosine product of its own.
void TurnEveryPixel(const CSurface& source, CSurface* frame, int left, int top, double angle) {
  double a = angle * -0.017453292519444445;
  double s = std::sin(a), c = std::cos(a);
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      double u = i - 89.0, v = j - 89.0;
      int sx = static_cast<int>(std::lround(89.0 + v * c + u * s));
      int sy = static_cast<int>(std::lround(89.0 + u * c - v * s));
      if (sx < 0 || sx >= kSize || sy < 0 || sy >= kSize) continue;
      frame->Row(top + j)[left + i] = source.Row(sy)[sx];
    }
  }
}

void BM_ours_rotate_vs_per_pixel(benchmark::State& state) {
  Logo logo;
  double angle = 90.0;
  for (auto _ : state) {
    RotatePicture(&logo.source, &logo.frame, ce::RECT{30, 70, 210, 250}, angle);
    angle = angle < 182.0 ? angle + 4.0 : 90.0;
    benchmark::DoNotOptimize(logo.frame.pixels);
  }
}
BENCHMARK(BM_ours_rotate_vs_per_pixel)->Unit(benchmark::kMicrosecond);

void BM_ref_rotate_vs_per_pixel(benchmark::State& state) {
  Logo logo;
  double angle = 90.0;
  for (auto _ : state) {
    TurnEveryPixel(logo.source, &logo.frame, 30, 70, angle);
    angle = angle < 182.0 ? angle + 4.0 : 90.0;
    benchmark::DoNotOptimize(logo.frame.pixels);
  }
}
BENCHMARK(BM_ref_rotate_vs_per_pixel)->Unit(benchmark::kMicrosecond);

}  // namespace
