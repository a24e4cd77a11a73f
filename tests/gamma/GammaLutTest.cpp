#include <vellum/gamma/GammaLut.h>

#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace vellum {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A histogram of maxValue + 1 bins with the given (level, count) pairs.
std::vector<DWORD> Histogram(std::size_t maxValue,
                             std::initializer_list<std::pair<std::size_t, DWORD>> bins) {
    std::vector<DWORD> h(maxValue + 1, 0);
    for (const auto& [level, count] : bins)
        h[level] = count;
    return h;
}

// What a search reports: the gamma, the input window's lower end and its width.
using Found = std::tuple<double, int, int>;

// With the window's cuts and strategy after p, the window overload; without, the plain one.
template <class T, class... Window> Found Search(CGammaLut<T>& lut, double p, Window... window) {
    double gamma = 0.0;
    WORD lower = 0xFFFF;
    WORD width = 0xFFFF;
    lut.CalculateOptimalGamma(p, gamma, lower, width, window...);
    return {gamma, lower, width};
}

// The gamma table of the object, read through ApplyGammaLut over every sample value.
template <class T> std::vector<WORD> AppliedGammaTable(const CGammaLut<T>& lut, std::size_t m) {
    std::vector<T> source(m + 1);
    for (std::size_t i = 0; i <= m; ++i)
        source[i] = static_cast<T>(i);
    std::vector<WORD> output(m + 1, 0xFFFF);
    lut.ApplyGammaLut(static_cast<DWORD>(source.size()), source.data(), output.data());
    return output;
}

// Gamma 1 over the occupied levels 10 to 110: 0 below, a ramp over them, the top value above.
const std::vector<std::pair<int, int>> kRamp10To110 = {{0, 0},     {10, 0},    {11, 2},   {60, 127},
                                                       {109, 252}, {110, 255}, {200, 255}};

struct TableRow {
    std::vector<DWORD> histogram;
    double gamma;
    std::vector<std::pair<int, int>> entries; // (index, value)
};

TEST(GammaLutTable, KnownEntries) {
    const std::vector<TableRow> rows = {
        // Width 0 is a step at the single occupied level, whatever the gamma.
        {Histogram(255, {{100, 7}}), 0.5, {{0, 0}, {99, 0}, {100, 255}, {255, 255}}},
        {Histogram(255, {{100, 7}}), 3.0, {{99, 0}, {100, 255}}},
        // Gamma 1 over the full range is the identity.
        {Histogram(255, {{0, 1}, {255, 1}}), 1.0, {{0, 0}, {1, 1}, {127, 127}, {254, 254}}},
        // 255 * (i / 255)^0.5 and 255 * (i / 255)^2, truncated.
        {Histogram(255, {{0, 1}, {255, 1}}), 2.0, {{1, 15}, {64, 127}, {128, 180}, {255, 255}}},
        {Histogram(255, {{0, 1}, {255, 1}}), 0.5, {{1, 0}, {64, 16}, {128, 64}, {200, 156}}},
        {Histogram(255, {{10, 4}, {110, 4}}), 1.0, kRamp10To110},
        // A single level (M = 0): the range is 0.
        {Histogram(0, {{0, 9}}), 1.0, {{0, 0}}},
    };
    for (const TableRow& row : rows) {
        const auto m = static_cast<unsigned char>(row.histogram.size() - 1);
        const CGammaLut<unsigned char> lut(m, row.histogram.data(), 0.0);
        std::vector<unsigned char> table(row.histogram.size(), 0xAB);
        lut.GetGammaCorrectedLut(row.gamma, table.data());
        for (const auto& [index, value] : row.entries)
            EXPECT_EQ(table[index], value) << "gamma " << row.gamma << " entry " << index;
    }
}

TEST(GammaLutTable, GammaIsClampedToTheBounds) {
    const std::vector<DWORD> h = Histogram(255, {{0, 1}, {255, 1}});
    CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    auto table = [&](double gamma) {
        std::vector<unsigned char> t(256);
        lut.GetGammaCorrectedLut(gamma, t.data());
        return t;
    };

    // Defaults 0.02 and 5.0.
    const std::vector<unsigned char> lowest = table(0.02);
    EXPECT_EQ(lowest[200], 0);
    EXPECT_EQ(lowest[254], 209); // 255 * (254 / 255)^50
    EXPECT_EQ(table(0.001), lowest);
    EXPECT_EQ(table(-3.0), lowest);
    EXPECT_EQ(table(100.0), table(5.0));
    EXPECT_NE(table(4.0), table(5.0));

    // Invalid bounds are ignored.
    for (const auto& [low, high] : {std::pair{3.0, 3.0}, {3.0, 1.0}, {0.0, 2.0}, {kNaN, 2.0}})
        lut.SetMinMaxGamma(low, high);
    EXPECT_EQ(table(100.0), table(5.0));
    EXPECT_EQ(table(0.001), lowest);

    lut.SetMinMaxGamma(0.5, 2.0);
    EXPECT_EQ(table(5.0)[64], 127);
    EXPECT_EQ(table(0.1)[64], 16);
}

TEST(GammaLut, NullBuffersAreRejected) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {255, 10}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    const unsigned char source[2] = {1, 2};
    WORD wide[2] = {};
    BYTE narrow[2] = {};
    double low = 0.0;
    double high = 0.0;
    EXPECT_THROW(CGammaLut<unsigned short>(65535, nullptr, 0.0), CInvalidArgException);
    EXPECT_THROW(lut.GetGammaCorrectedLut(1.0, nullptr), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, nullptr, wide), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, source, static_cast<WORD*>(nullptr)), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, source, static_cast<BYTE*>(nullptr)), CInvalidArgException);
    EXPECT_THROW(MMEqualCut(1, nullptr, 0.0, 0.0, low, high), CInvalidArgException);
    EXPECT_THROW(BuildGammaWindowTable(256, nullptr, 0.0, 0.0, nullptr, narrow),
                 CInvalidArgException);
    EXPECT_THROW(BuildGammaWindowTable(256, h.data(), 0.0, 0.0, nullptr, nullptr),
                 CInvalidArgException);
    // Nothing to read or write: nothing is touched.
    EXPECT_NO_THROW(lut.ApplyGammaLut(0, nullptr, static_cast<BYTE*>(nullptr)));
    EXPECT_NO_THROW(BuildGammaWindowTable(0, nullptr, 0.0, 0.0, nullptr, nullptr));
    MMEqualCut(0, nullptr, 0.0, 0.0, low, high);
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(0.0, 0.0));
}

TEST(GammaLutConstruction, InputWindowFromTheHistogram) {
    const std::vector<DWORD> h = Histogram(255, {{20, 5}, {100, 1}, {221, 2}});
    // A rejected search reports the window unchanged.
    auto window = [&](double p) {
        CGammaLut<unsigned char> lut(255, h.data(), p);
        return Search(lut, -1.0);
    };
    EXPECT_EQ(window(0.0), Found(1.0, 20, 201));
    EXPECT_EQ(window(0.3), Found(1.0, 80, 141)); // trunc(20 + 0.3 * 201)
    EXPECT_EQ(window(1.0), Found(1.0, 221, 0));
    EXPECT_EQ(window(1.5), Found(1.0, 20, 201));
    EXPECT_EQ(window(kNaN), Found(1.0, 20, 201));
}

TEST(GammaWindow, MMEqualCutFromOccupiedLevelsAndCuts) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {50, 9}, {110, 1}});
    const std::vector<DWORD> upper = Histogram(255, {{56, 1}, {156, 1}});
    const std::vector<DWORD> empty(256, 0);
    const struct {
        const std::vector<DWORD>& histogram;
        double lowCut, highCut, low, high;
    } rows[] = {{h, 0.0, 0.0, 10.0, 110.0},
                {h, 0.1, 0.2, 20.0, 90.0},
                {h, -1.0, -2.0, 0.0, 255.0},
                {h, 0.8, 0.8, 90.0, 90.0},
                {empty, 0.1, 0.1, 0.0, 0.0},
                // A high end of n or more is pulled back to n - 1; one below n stays.
                {upper, 0.0, -1.0, 56.0, 255.0},
                {upper, 0.0, -0.995, 56.0, 255.5},
                {upper, 0.0, -0.5, 56.0, 206.0}};
    for (const auto& row : rows) {
        double low = kNaN;
        double high = kNaN;
        MMEqualCut(256, row.histogram.data(), row.lowCut, row.highCut, low, high);
        EXPECT_EQ(std::make_pair(low, high), std::make_pair(row.low, row.high))
            << row.lowCut << ", " << row.highCut;
    }
}

void EmptyWindow(LONG, const DWORD*, double, double, double& low, double& high) {
    low = 40.0;
    high = 40.0;
}
void ReversedWindow(LONG, const DWORD*, double, double, double& low, double& high) {
    low = 90.0;
    high = 30.0;
}
void UnboundedWindow(LONG, const DWORD*, double, double, double& low, double& high) {
    low = -kInf;
    high = 100.0;
}

TEST(GammaWindow, WindowTables) {
    struct Row {
        const char* name;
        std::vector<DWORD> histogram;
        double lowCut;
        double highCut;
        GammaWindowStrategy strategy;
        std::vector<std::pair<int, int>> entries; // (index, value)
    };
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {50, 9}, {110, 1}});
    const std::vector<Row> rows = {
        // Without a strategy: the occupied levels, the cuts unused.
        {"default", h, 0.2, 0.3, nullptr, kRamp10To110},
        {"cuts", h, 0.1, 0.2, MMEqualCut, {{19, 0}, {20, 0}, {21, 3}, {89, 251}, {90, 255}}},
        {"empty", h, 0.0, 0.0, EmptyWindow, {{0, 0}, {40, 0}, {41, 0}, {255, 0}}},
        {"reversed", h, 0.0, 0.0, ReversedWindow, {{30, 0}, {60, 0}, {90, 0}, {255, 0}}},
        // An unbounded low end leaves no ramp: 0 up to the high end, 255 from it on.
        {"unbounded", h, 0.0, 0.0, UnboundedWindow, {{0, 0}, {99, 0}, {100, 255}, {255, 255}}},
        {"no counts", std::vector<DWORD>(256, 0), 0.0, 0.0, nullptr, {{0, 0}, {128, 0}, {255, 0}}},
    };
    for (const Row& row : rows) {
        std::vector<BYTE> table(256, 0xAB);
        BuildGammaWindowTable(256, row.histogram.data(), row.lowCut, row.highCut, row.strategy,
                              table.data());
        for (const auto& [index, value] : row.entries)
            EXPECT_EQ(table[index], value) << row.name << " entry " << index;
    }
}

TEST(GammaLutSearch, RejectedInputsGiveGammaOneAndTouchNoTable) {
    const std::vector<DWORD> h = Histogram(255, {{30, 100}, {90, 50}, {200, 5}});
    const std::vector<unsigned char> source = {0, 30, 90, 200, 255};
    CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    for (const double p : {-0.01, 1.01, kNaN, -kInf}) {
        EXPECT_EQ(Search(lut, p), Found(1.0, 30, 170)) << p;
        std::vector<BYTE> narrow(source.size(), 0xAB);
        lut.ApplyGammaLut(static_cast<DWORD>(source.size()), source.data(), narrow.data());
        EXPECT_EQ(narrow, std::vector<BYTE>(source.size(), 0));
        EXPECT_EQ(AppliedGammaTable(lut, 255), std::vector<WORD>(256, 0));
    }
    // A later rejection keeps the tables of the last accepted search.
    Search(lut, 0.5);
    const std::vector<WORD> accepted = AppliedGammaTable(lut, 255);
    ASSERT_NE(accepted, std::vector<WORD>(256, 0));
    EXPECT_EQ(Search(lut, 2.0), Found(1.0, 30, 170));
    EXPECT_EQ(AppliedGammaTable(lut, 255), accepted);

    // Mean 0: everything at level 0, or no counts at all.
    for (const std::vector<DWORD>& zeroMean :
         {Histogram(255, {{0, 1000}}), std::vector<DWORD>(256, 0)}) {
        CGammaLut<unsigned char> dark(255, zeroMean.data(), 0.5);
        EXPECT_EQ(Search(dark, 0.5, 0.0, 0.0, nullptr), Found(1.0, 0, 0));
        EXPECT_EQ(dark.GetTarget(), 0.0);
        EXPECT_EQ(AppliedGammaTable(dark, 255), std::vector<WORD>(256, 0));
    }
}

TEST(GammaLutSearch, Target) {
    // For M = 1000 the plain target spans 100 to 900; the window target stays on 0..255, and
    // window mode stays on for later calls of the plain overload.
    const std::vector<DWORD> h1000 = Histogram(1000, {{100, 8}, {700, 2}});
    CGammaLut<unsigned short> wide(1000, h1000.data(), 0.0);
    Search(wide, 0.0);
    EXPECT_EQ(wide.GetTarget(), 100.0);
    Search(wide, 1.0);
    EXPECT_EQ(wide.GetTarget(), 900.0);
    Search(wide, 0.5, 0.0, 0.0, nullptr);
    EXPECT_EQ(wide.GetTarget(), 127.5);
    Search(wide, 1.0);
    EXPECT_EQ(wide.GetTarget(), 229.5);
}

std::vector<DWORD> DarkImage() {
    // A broad dark mass and a few bright pixels.
    std::vector<DWORD> h(256, 0);
    for (int i = 20; i <= 80; ++i)
        h[i] = 1000 + 37 * static_cast<DWORD>(i % 7);
    h[200] = 50;
    return h;
}

std::vector<DWORD> BrightImage() {
    std::vector<DWORD> h(256, 0);
    for (int i = 5; i <= 250; ++i)
        h[i] = static_cast<DWORD>(i > 150 ? 4 * i : 10);
    return h;
}

std::vector<DWORD> TwelveBitImage() {
    std::vector<DWORD> h(4096, 0);
    for (int i = 300; i <= 3900; ++i)
        h[i] = static_cast<DWORD>(1 + (i < 1200 ? 40 : 3) + (i * 7919) % 5);
    return h;
}

struct SearchCase {
    const char* name;
    std::vector<DWORD> histogram;
    double constructorP;
    double p;
    int window; // 0 none, 1 default strategy, 2 MMEqualCut with cuts 0.05 and 0.1
    double maxGamma;
    double gamma; // 1.0: rejected
    int lower;
    int width;
};

template <class T> void CheckSearch(const SearchCase& c) {
    const std::size_t m = c.histogram.size() - 1;
    CGammaLut<T> lut(static_cast<T>(m), c.histogram.data(), c.constructorP);
    lut.SetMinMaxGamma(c.maxGamma < 1.0 ? 0.5 : 0.02, c.maxGamma);
    // Without a strategy the cuts go unused.
    const auto [gamma, lower, width] = c.window == 0   ? Search(lut, c.p)
                                       : c.window == 1 ? Search(lut, c.p, 0.3, 0.3, nullptr)
                                                       : Search(lut, c.p, 0.05, 0.1, MMEqualCut);
    EXPECT_DOUBLE_EQ(gamma, c.gamma);
    EXPECT_EQ(lower, c.lower);
    EXPECT_EQ(width, c.width);

    // The tables left behind are those of the chosen gamma.
    std::vector<T> table(m + 1);
    lut.GetGammaCorrectedLut(gamma, table.data());
    EXPECT_EQ(AppliedGammaTable(lut, m), std::vector<WORD>(table.begin(), table.end()));
}

TEST(GammaLutSearch, KnownOptima) {
    // Computed step by step apart from the class; three levels make a staircase with ties.
    const std::vector<DWORD> three = Histogram(255, {{0, 10}, {100, 10}, {255, 10}});
    const std::vector<SearchCase> cases = {
        {"dark", DarkImage(), 0.0, 0.5, 0, 5.0, 2.8741878154490133, 20, 180},
        {"darkLowerFromP", DarkImage(), 0.1, 0.3, 0, 5.0, 3.1218745566395611, 38, 162},
        {"bright", BrightImage(), 0.1, 0.3, 0, 5.0, 0.16347004866278869, 29, 221},
        {"brightWindowCuts", BrightImage(), 0.0, 0.4, 2, 5.0, 0.19135995871932177, 5, 245},
        {"twelveBit", TwelveBitImage(), 0.0, 0.6, 0, 5.0, 2.9697679564074653, 300, 3600},
        {"twelveBitWindow", TwelveBitImage(), 0.05, 0.45, 1, 5.0, 2.5648839837483006, 480, 3420},
        {"threeLevels", three, 0.0, 0.5, 0, 5.0, 1.3727954665861781, 0, 255},
        {"threeLevelsWindow", three, 0.0, 0.3, 1, 5.0, 0.23977873531822164, 0, 255},
        // The minimum lies just above the upper gamma bound.
        {"darkWindowTooBright", DarkImage(), 0.0, 0.7, 1, 5.0, 1.0, 20, 180},
        // The objective stays above 1000.0 within the bounds 0.5 to 0.8.
        {"narrowBounds", DarkImage(), 0.0, 0.9, 0, 0.8, 1.0, 20, 180},
        // Only levels 0 and 255: the corrected mean is 127.5 whatever the gamma.
        {"flat", Histogram(255, {{0, 10}, {255, 10}}), 0.0, 0.0, 0, 5.0, 1.0, 0, 255},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.histogram.size() <= 256)
            CheckSearch<unsigned char>(c);
        CheckSearch<unsigned short>(c);
    }

    // A dark 16-bit image over all 65536 bins: aiming at the middle, the best gamma misses the
    // target by more than 1000.0; a little higher it is accepted.
    std::vector<DWORD> h(65536, 0);
    for (int i = 2000; i < 30000; i += 7)
        h[i] = 3 + static_cast<DWORD>(i % 11);
    h[60000] = 20;
    SCOPED_TRACE("sixteenBit");
    CheckSearch<unsigned short>({"", h, 0.0, 0.5, 0, 5.0, 1.0, 2000, 58000});
    CheckSearch<unsigned short>({"", h, 0.0, 0.6, 0, 5.0, 2.9106961809584524, 2000, 58000});
}

void Window100To900(LONG, const DWORD*, double, double, double& low, double& high) {
    low = 100.0;
    high = 900.0;
}

TEST(GammaLutApply, SixteenBitSamples) {
    // Occupied at both ends, the corrected mean stays in the middle: a search aiming at p = 0
    // is rejected and leaves the tables of gamma 1.0 over the constructor's input window.
    const std::vector<DWORD> h = Histogram(1000, {{0, 5}, {1000, 5}});
    CGammaLut<unsigned short> lut(1000, h.data(), 0.2); // window 200, width 800
    const std::vector<unsigned short> source = {0, 199, 301, 650, 850, 999, 1000, 5000};
    const DWORD n = static_cast<DWORD>(source.size());
    ASSERT_EQ(Search(lut, 0.0), Found(1.0, 200, 800));
    // trunc((s - 200) / 0.8) inside the window; a sample above M reads as M.
    std::vector<WORD> wide(n, 0xABCD);
    lut.ApplyGammaLut(n, source.data(), wide.data());
    EXPECT_EQ(wide, (std::vector<WORD>{0, 0, 126, 562, 812, 998, 1000, 1000}));
    // No window mode: the window table holds zeros.
    std::vector<BYTE> narrow(n, 0xAB);
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(narrow, std::vector<BYTE>(n, 0));

    ASSERT_EQ(Search(lut, 0.0, 0.0, 0.0, Window100To900), Found(1.0, 200, 800));
    // trunc((g - 100) * 255 / 800) of the corrected sample g inside the window 100 to 900.
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{0, 0, 8, 147, 226, 255, 255, 255}));
}

} // namespace
} // namespace vellum
