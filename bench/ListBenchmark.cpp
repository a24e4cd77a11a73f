// The item list at scale: the 100 000 lines and polylines of the shared scene stored into a global
// memory block, loaded back through a loading archive, and drawn into the recording and the Cairo
// backends.
//
// Figures to beat are in the README; repeat them with
//   cmake --build --preset release --target list_bench && build/release/bench/list_bench

#include "Scene.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/archive/Archive.h>
#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace vellum;

constexpr int kItems = 100000;
constexpr int kCanvas = 2048;
constexpr unsigned kSeed = 20261206;

CGraphicItemList& SharedList() {
    static const std::unique_ptr<CGraphicItemList> list =
        bench::MakeList(bench::MakeFigures(kItems, kSeed));
    return *list;
}

void StoreList(benchmark::State& state) {
    CGraphicItemList& list = SharedList();
    std::size_t bytes = 0;
    for (auto _ : state) {
        void* block = list.GetGlobalHandle();
        bytes = GlobalSize(block);
        GlobalFree(block);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["items"] = kItems;
}
BENCHMARK(StoreList)->Unit(benchmark::kMillisecond);

void LoadList(benchmark::State& state) {
    void* block = SharedList().GetGlobalHandle();
    const auto size = static_cast<UINT>(GlobalSize(block));
    std::vector<BYTE> bytes(size);
    std::memcpy(bytes.data(), GlobalLock(block), size);
    GlobalUnlock(block);
    GlobalFree(block);
    for (auto _ : state) {
        CMemFile file(bytes.data(), size);
        CArchive ar(&file, CArchive::load);
        std::unique_ptr<CObject> list(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
        benchmark::DoNotOptimize(list.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["items"] = kItems;
}
BENCHMARK(LoadList)->Unit(benchmark::kMillisecond);

void DrawRecording(benchmark::State& state) {
    CGraphicItemList& list = SharedList();
    for (auto _ : state) {
        CRecordingDC dc;
        list.Draw(&dc, 1.0, 0, 0, 1.0);
        benchmark::DoNotOptimize(dc.Records().size());
    }
    state.counters["items/s"] = benchmark::Counter(static_cast<double>(kItems),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(DrawRecording)->Unit(benchmark::kMillisecond);

void DrawCairo(benchmark::State& state) {
    CGraphicItemList& list = SharedList();
    auto dc = CCairoDC::CreateImage(kCanvas, kCanvas, RGB(0, 0, 0));
    for (auto _ : state)
        list.Draw(dc.get(), 1.0, 0, 0, 1.0);
    state.counters["items/s"] = benchmark::Counter(static_cast<double>(kItems),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(DrawCairo)->Unit(benchmark::kMillisecond);

} // namespace
