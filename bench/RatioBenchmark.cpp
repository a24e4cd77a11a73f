// Each figure of the item list at scale beside its floor, measured in the same process and
// interleaved repetition by repetition, so that the ratios hold on a busy machine: the best
// of several runs of the thread's processor time is kept for each side.
//
//   store  GetGlobalHandle of 100 000 lines and polylines | a plain encoder appending the same
//          fields to a growing byte vector
//   load   ReadObject of that block, and deleting the list | a plain decoder reading the fields
//          back into one heap array per item, and freeing them
//   hit    HitTest of the list at points where no item is hit | a plain scan of the bounding
//          boxes computed from the node arrays
//   paint  10 000 polylines drawn by the list into a 1920 x 1080 Cairo image | the same
//          polylines stroked straight through Cairo
//   gamma  ApplyGammaLut over 4096 x 4096 16-bit samples | memcpy of the same bytes
//
//   build/release/bench/ratio_bench [repetitions [store|load|hit|paint|gamma]]
//
// Naming one work runs only that one (for profilers).

#include "Scene.h"

#include <vellum/archive/Archive.h>
#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/gamma/GammaLut.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace vellum;
using namespace vellum::bench;

constexpr int kListItems = 100000;
constexpr int kPaintItems = 10000;
constexpr unsigned kSeed = 20261206;
constexpr int kHitPoints = 16;
constexpr int kGap = 5; // the items' pick tolerance in pixels

volatile std::size_t g_sink; // keeps results alive

// The processor time of this thread, user and system: on a machine shared with other builds
// the wall clock also counts the time spent waiting for a core.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double Milliseconds(const std::function<void()>& work) {
    const double start = ThreadMilliseconds();
    work();
    return ThreadMilliseconds() - start;
}

struct Pair {
    double ours = INFINITY;
    double floor = INFINITY;
};

// Runs ours and the floor alternately and keeps the best time of each.
Pair Measure(int repetitions, const std::function<void()>& ours,
             const std::function<void()>& floor) {
    Pair best;
    for (int r = 0; r < repetitions; ++r) {
        best.ours = std::min(best.ours, Milliseconds(ours));
        best.floor = std::min(best.floor, Milliseconds(floor));
    }
    return best;
}

void Print(const char* work, const Pair& times, const char* aim) {
    std::printf("%-44s %11.4f ms %11.4f ms  %7.4f   %s\n", work, times.ours, times.floor,
                times.ours / times.floor, aim);
    std::fflush(stdout);
}

// ---- The archive's yardsticks: the same fields, with none of the archive's machinery.

template <class T> void Append(std::vector<BYTE>& out, T value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

std::vector<BYTE> PlainEncode(const std::vector<Figure>& figures) {
    std::vector<BYTE> out;
    for (const Figure& figure : figures) {
        Append<WORD>(out, 0x8001);
        Append<std::int32_t>(out, 2);
        const WORD count = figure.isLine ? 0 : static_cast<WORD>(figure.nodes.size());
        Append(out, count);
        if (!figure.isLine) {
            const auto* bytes = reinterpret_cast<const BYTE*>(figure.nodes.data());
            out.insert(out.end(), bytes, bytes + count * sizeof(CVector));
        }
        Append<WORD>(out, figure.itemClass);
        Append<DWORD>(out, figure.colour);
        Append<double>(out, figure.width);
        if (figure.isLine) {
            Append<std::int32_t>(out, 1);
            for (const CVector& node : figure.nodes)
                Append(out, node);
        }
    }
    return out;
}

struct PlainItem {
    std::unique_ptr<CVector[]> nodes;
    int count;
    WORD itemClass;
    DWORD colour;
    double width;
};

template <class T> T Take(const BYTE*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

std::vector<PlainItem> PlainDecode(const std::vector<BYTE>& bytes) {
    std::vector<PlainItem> items;
    const BYTE* at = bytes.data();
    const BYTE* end = at + bytes.size();
    while (at < end) {
        PlainItem item;
        Take<WORD>(at);
        Take<std::int32_t>(at);
        const WORD count = Take<WORD>(at);
        item.count = count ? count : 2;
        item.nodes = std::make_unique<CVector[]>(static_cast<std::size_t>(item.count));
        std::memcpy(item.nodes.get(), at, count * sizeof(CVector));
        at += count * sizeof(CVector);
        item.itemClass = Take<WORD>(at);
        item.colour = Take<DWORD>(at);
        item.width = Take<double>(at);
        if (count == 0) {
            Take<std::int32_t>(at);
            std::memcpy(item.nodes.get(), at, 2 * sizeof(CVector));
            at += 2 * sizeof(CVector);
        }
        items.push_back(std::move(item));
    }
    return items;
}

// ---- Hit testing's yardstick: every item's box from its nodes, widened by the tolerance.

std::size_t PlainBoxScan(const std::vector<Figure>& figures, POINT p) {
    std::size_t inside = 0;
    for (const Figure& figure : figures) {
        POINT low = figure.nodes[0], high = low;
        for (const CVector& node : figure.nodes) {
            const POINT n = node;
            low = POINT{std::min(low.x, n.x), std::min(low.y, n.y)};
            high = POINT{std::max(high.x, n.x), std::max(high.y, n.y)};
        }
        if (low.x - 2 * kGap <= p.x && p.x < high.x + 2 * kGap && low.y - 2 * kGap <= p.y &&
            p.y < high.y + 2 * kGap)
            ++inside;
    }
    return inside;
}

// The scene covers its area densely: every pixel of it lies in dozens of bounding boxes. The
// empty space is the margin of a larger image around it, beyond the reach of any item (60
// pixels of length and the tolerance). Each point is checked against the list.
std::vector<CVector> EmptyPoints(CGraphicItemList& list) {
    constexpr int kMargin = 200, kReach = 80;
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> x(-kMargin, kAreaWidth + kMargin),
        y(-kMargin, kAreaHeight + kMargin);
    std::vector<CVector> points;
    while (points.size() < kHitPoints) {
        CVector p(x(random), y(random));
        if (p.x > -kReach && p.x < kAreaWidth + kReach && p.y > -kReach &&
            p.y < kAreaHeight + kReach)
            continue;
        int more = 0;
        if (!list.HitTest(&p, more, 1.0))
            points.push_back(p);
    }
    return points;
}

// Points inside the area, where items lie.
std::vector<CVector> BusyPoints() {
    std::mt19937 random(kSeed + 1);
    std::uniform_int_distribution<int> x(0, kAreaWidth - 1), y(0, kAreaHeight - 1);
    std::vector<CVector> points;
    for (int i = 0; i < kHitPoints; ++i)
        points.push_back(CVector(x(random), y(random)));
    return points;
}

// ---- The repaint's yardstick: each polyline one Cairo stroke in its colour and width, with
// the round ends and joins that the framework's wide pens have, so that both draw the same
// shapes.

void StrokeStraight(cairo_t* cr, const std::vector<Figure>& figures) {
    for (const Figure& figure : figures) {
        cairo_set_source_rgb(cr, GetRValue(figure.colour) / 255.0, GetGValue(figure.colour) / 255.0,
                             GetBValue(figure.colour) / 255.0);
        cairo_set_line_width(cr, figure.width);
        cairo_move_to(cr, figure.nodes[0].x + 0.5, figure.nodes[0].y + 0.5);
        for (std::size_t n = 1; n < figure.nodes.size(); ++n)
            cairo_line_to(cr, figure.nodes[n].x + 0.5, figure.nodes[n].y + 0.5);
        cairo_stroke(cr);
    }
    cairo_surface_flush(cairo_get_target(cr));
}

// The list's repaint of 10 000 polylines beside the same strokes made straight in Cairo.
void PaintLine(int repetitions) {
    const std::vector<Figure> polylines = MakeFigures(kPaintItems, kSeed, true);
    const std::unique_ptr<CGraphicItemList> paintList = MakeList(polylines);
    auto dc = CCairoDC::CreateImage(kAreaWidth, kAreaHeight, RGB(0, 0, 0));
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kAreaWidth, kAreaHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Print("repaint 10 000 polylines (Cairo backend)",
          Measure(
              repetitions, [&] { paintList->Draw(dc.get(), 1.0, 0, 0, 1.0); },
              [&] { StrokeStraight(cr, polylines); }),
          "<= 1.5");
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

// ApplyGammaLut beside memcpy of the same 32 MiB: a dark exposure in a 16-bit range.
void GammaLine(int repetitions) {
    constexpr DWORD kSamples = 4096 * 4096;
    std::vector<unsigned short> samples(kSamples);
    std::mt19937 random(kSeed);
    std::normal_distribution<double> grey(9000.0, 2500.0);
    for (auto& sample : samples)
        sample = static_cast<unsigned short>(std::clamp(grey(random), 0.0, 65535.0));
    std::vector<DWORD> histogram(65536);
    for (unsigned short sample : samples)
        ++histogram[sample];
    CGammaLut<unsigned short> lut(65535, histogram.data(), 0.5);
    double gamma = 0;
    WORD lower = 0, width = 0;
    lut.CalculateOptimalGamma(0.5, gamma, lower, width);
    std::vector<WORD> output(kSamples);
    Print("ApplyGammaLut, 4096 x 4096 16-bit (vs memcpy)",
          Measure(
              repetitions,
              [&] {
                  lut.ApplyGammaLut(kSamples, samples.data(), output.data());
                  g_sink = output[kSamples / 2];
              },
              [&] {
                  std::memcpy(output.data(), samples.data(), kSamples * sizeof(WORD));
                  g_sink = output[kSamples / 3];
              }),
          "(NumPy take: 50 ms)");
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::string only = argc > 2 ? argv[2] : "";
    const auto runs = [&only](const char* work) { return only.empty() || only == work; };
    std::printf("%u cores, thread processor time, best of %d runs each\n\n",
                std::thread::hardware_concurrency(), repetitions);
    std::printf("%-44s %13s  %13s  %7s   %s\n", "work", "ours", "floor", "ratio", "aim");

    const std::vector<Figure> figures = MakeFigures(kListItems, kSeed);
    const std::unique_ptr<CGraphicItemList> list = MakeList(figures);

    std::size_t blockSize = 0;
    if (runs("store"))
        Print("store the list (GetGlobalHandle)",
              Measure(
                  repetitions,
                  [&] {
                      void* block = list->GetGlobalHandle();
                      blockSize = GlobalSize(block);
                      GlobalFree(block);
                  },
                  [&] { g_sink = PlainEncode(figures).size(); }),
              "<= 3");

    void* block = list->GetGlobalHandle();
    std::vector<BYTE> stored(GlobalSize(block));
    std::memcpy(stored.data(), GlobalLock(block), stored.size());
    GlobalUnlock(block);
    GlobalFree(block);
    const std::vector<BYTE> plain = PlainEncode(figures);
    if (runs("load"))
        Print("load it back (ReadObject, then delete)",
              Measure(
                  repetitions,
                  [&] {
                      CMemFile file(stored.data(), static_cast<UINT>(stored.size()));
                      CArchive ar(&file, CArchive::load);
                      std::unique_ptr<CObject> loaded(
                          ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
                      g_sink = loaded ? 1 : 0;
                  },
                  [&] { g_sink = PlainDecode(plain).size(); }),
              "<= 2");

    const auto hitTest = [&](const std::vector<CVector>& points) {
        return Measure(
            repetitions * 5,
            [&] {
                for (CVector p : points) {
                    int more = 0;
                    g_sink = reinterpret_cast<std::size_t>(list->HitTest(&p, more, 1.0));
                }
            },
            [&] {
                for (const CVector& p : points)
                    g_sink = PlainBoxScan(figures, p);
            });
    };
    if (runs("hit")) {
        const Pair empty = hitTest(EmptyPoints(*list));
        Print("a click on empty space (HitTest)",
              Pair{empty.ours / kHitPoints, empty.floor / kHitPoints}, "<= 0.25");
        const Pair busy = hitTest(BusyPoints());
        Print("a click among the items (HitTest)",
              Pair{busy.ours / kHitPoints, busy.floor / kHitPoints}, "");
    }

    if (runs("paint"))
        PaintLine(repetitions);

    if (runs("gamma"))
        GammaLine(repetitions);
    std::printf("\nstored list: %zu bytes, %.1f per item; hit figures are per click\n", blockSize,
                static_cast<double>(blockSize) / kListItems);
    return 0;
}
