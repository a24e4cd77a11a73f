// The gamma tables at full depth: the whole search over a 16-bit histogram (65 536 bins), and
// ApplyGammaLut over a 4096 x 4096 buffer of 16-bit samples beside a plain memory copy of the
// same buffer measured in the same run, so the two speeds can be compared on any machine.
//
//   cmake --build --preset release --target gamma_bench && build/release/bench/gamma_bench

#include <vellum/gamma/GammaLut.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace vellum;

constexpr DWORD kSide = 4096;
constexpr DWORD kSamples = kSide * kSide;

// A dark exposure in a 16-bit range. At 16 bits the search runs in full but the final
// acceptance (a squared distance of at most 1000 grey levels) turns its gamma down to 1.0.
const std::vector<unsigned short>& Samples() {
    static const std::vector<unsigned short> samples = [] {
        std::vector<unsigned short> out(kSamples);
        std::mt19937 random(7);
        std::normal_distribution<double> grey(9000.0, 2500.0);
        for (auto& sample : out)
            sample = static_cast<unsigned short>(std::clamp(grey(random), 0.0, 65535.0));
        return out;
    }();
    return samples;
}

std::vector<DWORD> Histogram() {
    std::vector<DWORD> histogram(65536);
    for (unsigned short sample : Samples())
        ++histogram[sample];
    return histogram;
}

void SearchSixteenBit(benchmark::State& state) {
    const std::vector<DWORD> histogram = Histogram();
    double gamma = 0;
    for (auto _ : state) {
        CGammaLut<unsigned short> lut(65535, histogram.data(), 0.5);
        WORD lower = 0, width = 0;
        lut.CalculateOptimalGamma(0.5, gamma, lower, width);
        benchmark::DoNotOptimize(gamma);
    }
    state.counters["gamma"] = gamma;
}
BENCHMARK(SearchSixteenBit)->Unit(benchmark::kMillisecond);

void ApplySixteenBit(benchmark::State& state) {
    const std::vector<DWORD> histogram = Histogram();
    CGammaLut<unsigned short> lut(65535, histogram.data(), 0.5);
    double gamma = 0;
    WORD lower = 0, width = 0;
    lut.CalculateOptimalGamma(0.5, gamma, lower, width);
    std::vector<WORD> output(kSamples);
    for (auto _ : state) {
        lut.ApplyGammaLut(kSamples, Samples().data(), output.data());
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSamples * 2);
}
BENCHMARK(ApplySixteenBit)->Unit(benchmark::kMillisecond);

// The yardstick: copying the same 32 MiB.
void CopySixteenBit(benchmark::State& state) {
    std::vector<WORD> output(kSamples);
    for (auto _ : state) {
        std::memcpy(output.data(), Samples().data(), kSamples * sizeof(WORD));
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kSamples * 2);
}
BENCHMARK(CopySixteenBit)->Unit(benchmark::kMillisecond);

} // namespace
