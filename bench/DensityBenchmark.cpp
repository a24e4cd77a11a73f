// The density gatherings at radiograph size: CHistogram's rectangle gathering over a whole
// 4096 x 4096 image of 8 and of 16 bits, each beside a plain memory copy of the same bytes
// measured in the same run, and the line gathering along the image's 4096-pixel diagonal.
// The grey levels follow a narrow normal distribution, as an exposure does, so that most
// neighbouring samples share a bin: the case in which a single counting table stalls.
//
//   cmake --build --preset release --target density_bench && build/release/bench/density_bench
//
// NumPy's bincount counts the 16.7 M 16-bit samples in about 50 ms on the build machine; the
// 16-bit rectangle gathering is meant to take a fifth of that or less.

#include <vellum/density/Histogram.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace vellum;

constexpr int kSide = 4096;

// Normal(mean, spread) levels, clamped to the depth, two bytes low first above 8 bits.
struct_LEAD_Bitmap Exposure(int bits, double mean, double spread) {
    struct_LEAD_Bitmap bitmap;
    bitmap.Width = kSide;
    bitmap.Height = kSide;
    bitmap.BitsPerPixel = bits;
    const double top = (1 << bits) - 1;
    std::mt19937 random(7);
    std::normal_distribution<double> grey(mean, spread);
    bitmap.Data.reserve(static_cast<std::size_t>(kSide) * kSide * (bits > 8 ? 2 : 1));
    for (int i = 0; i < kSide * kSide; ++i) {
        const auto level = static_cast<unsigned>(std::clamp(grey(random), 0.0, top));
        bitmap.Data.push_back(static_cast<BYTE>(level & 0xFF));
        if (bits > 8)
            bitmap.Data.push_back(static_cast<BYTE>(level >> 8));
    }
    for (int i = 0; i < 256; ++i)
        bitmap.Colors.push_back(
            RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    return bitmap;
}

struct_LEAD_Bitmap& EightBit() {
    static struct_LEAD_Bitmap bitmap = Exposure(8, 90.0, 25.0);
    return bitmap;
}

struct_LEAD_Bitmap& SixteenBit() {
    static struct_LEAD_Bitmap bitmap = Exposure(16, 9000.0, 2500.0);
    return bitmap;
}

void Gather(benchmark::State& state, struct_LEAD_Bitmap& bitmap) {
    CHistogram histogram;
    for (auto _ : state) {
        if (histogram.Init(&bitmap) != 1)
            state.SkipWithError("the gathering failed");
        benchmark::DoNotOptimize(histogram.GetMeanValue());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bitmap.Data.size()));
    state.counters["mean"] = histogram.GetMeanValue();
}

// The yardstick: copying the same bytes.
void Copy(benchmark::State& state, const struct_LEAD_Bitmap& bitmap) {
    std::vector<BYTE> output(bitmap.Data.size());
    for (auto _ : state) {
        std::memcpy(output.data(), bitmap.Data.data(), output.size());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(output.size()));
}

void RectangleEightBit(benchmark::State& state) {
    Gather(state, EightBit());
}
BENCHMARK(RectangleEightBit)->Unit(benchmark::kMillisecond);

void CopyEightBit(benchmark::State& state) {
    Copy(state, EightBit());
}
BENCHMARK(CopyEightBit)->Unit(benchmark::kMillisecond);

void RectangleSixteenBit(benchmark::State& state) {
    Gather(state, SixteenBit());
}
BENCHMARK(RectangleSixteenBit)->Unit(benchmark::kMillisecond);

void CopySixteenBit(benchmark::State& state) {
    Copy(state, SixteenBit());
}
BENCHMARK(CopySixteenBit)->Unit(benchmark::kMillisecond);

// One sample read through the toolkit per point, 4096 points.
void LineDiagonal(benchmark::State& state) {
    CHistogram histogram;
    CVector from(0, 0), to(kSide, kSide);
    for (auto _ : state) {
        if (histogram.Init(&SixteenBit(), &from, &to) != 1)
            state.SkipWithError("the gathering failed");
        benchmark::DoNotOptimize(histogram.GetMeanValue());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kSide);
}
BENCHMARK(LineDiagonal)->Unit(benchmark::kMicrosecond);

} // namespace
