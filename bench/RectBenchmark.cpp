// Rectangles under the mouse: the hit test of a turned rectangle (its corner handles, then
// its outline as a polygon region) and a corner drag that keeps the right angles.
//
//   cmake --build --preset release --target rect_bench && build/release/bench/rect_bench
//
// Figures to beat (CPU time, release build, on the shared 2-core build machine): HitTest
// about 13 ns on a handle, 25 ns outside the corners' span (most items of a list miss a
// click), 0.7 µs inside (the polygon region is built); a corner drag 0.3 µs. A window
// hit-tests every item under a click, so 10 000 rectangles cost well under 1 ms when missed.

#include <vellum/Graphics/GraphicRect.h>

#include <benchmark/benchmark.h>

namespace {

using namespace vellum;

// A 200 × 120 rectangle turned by 30°, about its centre (200, 160).
void MakeTurned(CGraphicRect& rect) {
    CVector a(100, 100), b(300, 220);
    rect.SetStart(&a);
    rect.SetEnd(&b, 0);
    rect.Rotate(0.5235987755982988, nullptr);
}

void HitTest(benchmark::State& state) {
    CGraphicRect rect;
    MakeTurned(rect);
    CVector points[] = {rect.GetCorner(2), CVector(200, 160), CVector(20, 20)};
    CVector& p = points[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(rect.HitTest(&p, 1.0));
}
BENCHMARK(HitTest)->ArgName("handle-inside-outside")->DenseRange(0, 2);

void CornerDrag(benchmark::State& state) {
    CGraphicRect rect;
    MakeTurned(rect);
    double step = 0.5;
    for (auto _ : state) {
        rect.Move(step, step, 3);
        step = -step;
    }
    benchmark::DoNotOptimize(rect.GetCorner(2));
}
BENCHMARK(CornerDrag);

} // namespace
