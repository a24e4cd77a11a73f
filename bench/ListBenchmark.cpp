// The item list at scale: 100 000 items of mixed kinds stored into a global memory block,
// loaded back through a loading archive, and drawn into the recording and the Cairo backends.
//
// Figures to beat are in the README; repeat them with
//   cmake --build --preset release --target list_bench && build/release/bench/list_bench

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
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

// Lines and polylines of three to six nodes spread over the canvas, in three classes.
std::unique_ptr<CGraphicItemList> MixedList() {
    auto list = std::make_unique<CGraphicItemList>();
    const WORD classes[] = {CGraphicItem::classDrawing, CGraphicItem::classMeasure,
                            CGraphicItem::classSymbol};
    for (int i = 0; i < kItems; ++i) {
        const double x = (i * 37) % (kCanvas - 100);
        const double y = (i * 91) % (kCanvas - 100);
        CGraphicItem* item;
        if (i % 2 == 0) {
            auto* line = new CGraphicLine;
            CVector a(x, y), b(x + 40 + i % 50, y + 25);
            line->SetStart(&a);
            line->SetEnd(&b, 0);
            item = line;
        } else {
            auto* poly = new CGrPolyLine;
            CVector start(x, y);
            poly->SetStart(&start);
            for (int n = 1; n < 3 + i % 4; ++n) {
                CVector p(x + n * 15, y + (n % 2) * 20);
                poly->SetEnd(&p, 1);
            }
            item = poly;
        }
        item->SetClass(classes[i % 3]);
        item->SetColor(RGB(i % 256, 128, 255 - i % 256));
        list->AddItem(item->GetClass(), item);
    }
    return list;
}

CGraphicItemList& SharedList() {
    static const std::unique_ptr<CGraphicItemList> list = MixedList();
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
