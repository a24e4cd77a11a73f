#include <vellum/gamma/GammaLut.h>

#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <limits>
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

// The window lower and width that a rejected search reports.
template <class T> std::pair<int, int> InputWindow(CGammaLut<T>& lut) {
    double gamma = 0.0;
    WORD lower = 0xFFFF;
    WORD width = 0xFFFF;
    lut.CalculateOptimalGamma(-1.0, gamma, lower, width);
    return {lower, width};
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

// ---------------------------------------------------------------------------------------------
// The whole search written out step by step, independently of the class: statistics, gamma
// table, objective, bracketing, golden section and acceptance. The window step uses the
// first-to-last-occupied window narrowed by the two cuts (cuts 0 for the default strategy).

struct Reference {
    double gamma;
    int lower;
    int width;
};

Reference ReferenceSearch(const std::vector<DWORD>& h, double constructorP, double p,
                          bool windowMode, double lowCut, double highCut, double minGamma = 0.02,
                          double maxGamma = 5.0) {
    const int M = static_cast<int>(h.size()) - 1;

    // Statistics of the supplied histogram.
    double hMin = 0.0;
    double hMax = 0.0;
    bool seen = false;
    DWORD count = 0;
    double sum = 0.0;
    for (int i = 0; i <= M; ++i) {
        if (h[i] != 0 && !seen) {
            hMin = i;
            seen = true;
        }
        if (h[i] != 0)
            hMax = i;
        count += h[i];
        sum += static_cast<double>(i) * static_cast<double>(h[i]);
    }
    const double hMean = count == 0 ? 0.0 : sum / count;

    int lower = static_cast<int>(std::trunc(hMin));
    if (constructorP > 0.0 && constructorP <= 1.0)
        lower = static_cast<int>(std::trunc(hMin + constructorP * (hMax - hMin)));
    const int width = static_cast<int>(std::trunc(hMax)) - lower;

    if (p < 0.0 || p > 1.0 || hMean <= 0.0)
        return {1.0, lower, width};

    double target = 0.1 * M + (M - 2 * 0.1 * M) * p;
    if (windowMode)
        target = 25.5 + (255.0 - 2 * 25.5) * p;

    auto objective = [&](double g) {
        if (g < minGamma)
            g = minGamma;
        if (g > maxGamma)
            g = maxGamma;
        const double e = 1.0 / g;
        const double k = std::pow(width, e) / M;
        std::vector<int> table(M + 1);
        for (int i = 0; i <= M; ++i) {
            if (i < lower) {
                table[i] = 0;
            } else if (i < lower + width) {
                const double v = std::pow(i - lower, e) / k;
                table[i] = v > M ? M : static_cast<int>(v);
            } else {
                table[i] = M;
            }
        }
        std::vector<DWORD> corrected(M + 1, 0);
        for (int i = 0; i <= M; ++i)
            corrected[table[i]] += h[i];

        std::vector<DWORD> finalHisto(M + 1 < 256 ? 256 : M + 1, 0);
        if (windowMode) {
            int first = -1;
            int last = 0;
            for (int i = 0; i <= M; ++i) {
                if (corrected[i] != 0 && first < 0)
                    first = i;
                if (corrected[i] != 0)
                    last = i;
            }
            if (first < 0)
                first = 0;
            double low = first + lowCut * (last - first);
            if (low < 0)
                low = 0;
            double high = last - highCut * (last - first);
            if (high >= M + 1)
                high = M;
            if (high < low)
                high = low;
            for (int i = 0; i <= M; ++i) {
                int w = 255;
                if (high - low <= 0 || i < low)
                    w = 0;
                else if (i < high)
                    w = static_cast<int>(std::trunc((i - low) * (255.0 / (high - low))));
                finalHisto[w] += corrected[i];
            }
        } else {
            for (int i = 0; i <= M; ++i)
                finalHisto[i] = corrected[i];
        }
        DWORD n = 0;
        double s = 0.0;
        for (std::size_t i = 0; i < finalHisto.size(); ++i) {
            n += finalHisto[i];
            s += static_cast<double>(i) * static_cast<double>(finalHisto[i]);
        }
        const double mean = n == 0 ? 0.0 : s / n;
        return (mean - target) * (mean - target);
    };

    // Bracketing.
    const double GOLD = 1.618034;
    double a = 0.04;
    double b = 1.1;
    double fa = objective(a);
    double fb = objective(b);
    if (fb > fa) {
        std::swap(a, b);
        std::swap(fa, fb);
    }
    double c = b + GOLD * (b - a);
    double fc = objective(c);
    while (fb > fc) {
        const double r = (b - a) * (fb - fc);
        const double q = (b - c) * (fb - fa);
        double d = std::fabs(q - r);
        if (d < 1e-20)
            d = 1e-20;
        if (q - r < 0)
            d = -d;
        double u = b - ((b - c) * q - (b - a) * r) / (2 * d);
        const double ulim = b + 100.0 * (c - b);
        double fu;
        if ((b - u) * (u - c) > 0) {
            fu = objective(u);
            if (fu < fc) {
                a = b;
                fa = fb;
                b = u;
                fb = fu;
                break;
            }
            if (fu > fb) {
                c = u;
                fc = fu;
                break;
            }
            u = c + GOLD * (c - b);
            fu = objective(u);
        } else if ((c - u) * (u - ulim) > 0) {
            fu = objective(u);
            if (fu < fc) {
                b = c;
                c = u;
                u = c + GOLD * (c - b);
                fb = fc;
                fc = fu;
                fu = objective(u);
            }
        } else if ((u - ulim) * (ulim - c) >= 0) {
            u = ulim;
            fu = objective(u);
        } else {
            u = c + GOLD * (c - b);
            fu = objective(u);
        }
        a = b;
        b = c;
        c = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }

    // Golden section.
    const double R = 0.61803399;
    const double C = 1 - R;
    double x0 = a;
    double x1 = b;
    double x2 = b + C * (c - b);
    double x3 = c;
    if (!(std::fabs(c - b) > std::fabs(b - a))) {
        x2 = b;
        x1 = b - C * (b - a);
    }
    double f1 = objective(x1);
    double f2 = objective(x2);
    while (std::fabs(x3 - x0) > 0.05 * (std::fabs(x1) + std::fabs(x2))) {
        if (f2 < f1) {
            x0 = x1;
            x1 = x2;
            x2 = R * x2 + C * x3;
            f1 = f2;
            f2 = objective(x2);
        } else {
            x3 = x2;
            x2 = x1;
            x1 = R * x1 + C * x0;
            f2 = f1;
            f1 = objective(x1);
        }
    }
    const double xmin = f1 < f2 ? x1 : x2;
    const double fmin = f1 < f2 ? f1 : f2;

    // Acceptance.
    const bool accepted = xmin >= minGamma && xmin <= maxGamma && fmin <= 1000.0;
    return {accepted ? xmin : 1.0, lower, width};
}

// ---------------------------------------------------------------------------------------------
// Gamma table

TEST(GammaLutTable, WidthZeroIsAStep) {
    const std::vector<DWORD> h = Histogram(255, {{100, 7}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    for (const double gamma : {0.5, 1.0, 3.0}) {
        std::vector<unsigned char> table(256, 0xAB);
        lut.GetGammaCorrectedLut(gamma, table.data());
        for (int i = 0; i < 256; ++i)
            EXPECT_EQ(table[i], i < 100 ? 0 : 255) << "gamma " << gamma << " entry " << i;
    }

    std::vector<DWORD> h16(65536, 0);
    h16[40000] = 3;
    const CGammaLut<unsigned short> lut16(65535, h16.data(), 0.5);
    std::vector<unsigned short> table16(65536, 0xABCD);
    lut16.GetGammaCorrectedLut(2.0, table16.data());
    EXPECT_EQ(table16[0], 0);
    EXPECT_EQ(table16[39999], 0);
    EXPECT_EQ(table16[40000], 65535);
    EXPECT_EQ(table16[65535], 65535);
}

TEST(GammaLutTable, GammaOneOverTheFullRangeIsTheIdentity) {
    const std::vector<DWORD> h = Histogram(255, {{0, 1}, {255, 1}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    std::vector<unsigned char> table(256, 0xAB);
    lut.GetGammaCorrectedLut(1.0, table.data());
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(table[i], i) << "entry " << i;
}

TEST(GammaLutTable, KnownEntriesAtGammaTwoAndOneHalf) {
    const std::vector<DWORD> h = Histogram(255, {{0, 1}, {255, 1}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    std::vector<unsigned char> table(256);

    // 255 * (i / 255)^0.5
    lut.GetGammaCorrectedLut(2.0, table.data());
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[1], 15);
    EXPECT_EQ(table[64], 127);
    EXPECT_EQ(table[128], 180);
    EXPECT_EQ(table[255], 255);

    // 255 * (i / 255)^2
    lut.GetGammaCorrectedLut(0.5, table.data());
    EXPECT_EQ(table[1], 0);
    EXPECT_EQ(table[64], 16);
    EXPECT_EQ(table[128], 64);
    EXPECT_EQ(table[200], 156);
    EXPECT_EQ(table[255], 255);
}

TEST(GammaLutTable, WindowOffsetFromTheHistogram) {
    // Occupied from 10 to 110: the curve runs over that window, 0 below it, M above it.
    const std::vector<DWORD> h = Histogram(255, {{10, 4}, {110, 4}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    std::vector<unsigned char> table(256);
    lut.GetGammaCorrectedLut(1.0, table.data());
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[10], 0);
    EXPECT_EQ(table[11], 2);
    EXPECT_EQ(table[60], 127);
    EXPECT_EQ(table[109], 252);
    EXPECT_EQ(table[110], 255);
    EXPECT_EQ(table[200], 255);
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
    lut.SetMinMaxGamma(3.0, 3.0);
    lut.SetMinMaxGamma(3.0, 1.0);
    lut.SetMinMaxGamma(0.0, 2.0);
    lut.SetMinMaxGamma(-1.0, 2.0);
    lut.SetMinMaxGamma(kNaN, 2.0);
    lut.SetMinMaxGamma(0.5, kNaN);
    EXPECT_EQ(table(100.0), table(5.0));
    EXPECT_EQ(table(0.001), lowest);

    lut.SetMinMaxGamma(0.5, 2.0);
    EXPECT_EQ(table(5.0)[64], 127);
    EXPECT_EQ(table(5.0), table(2.0));
    EXPECT_EQ(table(0.1)[64], 16);
    EXPECT_EQ(table(0.1), table(0.5));
}

TEST(GammaLutTable, NullTableAndDegenerateRange) {
    const std::vector<DWORD> h = Histogram(255, {{0, 1}, {255, 1}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    EXPECT_THROW(lut.GetGammaCorrectedLut(1.0, nullptr), CInvalidArgException);

    // M = 0: one entry, always 0.
    const DWORD single[1] = {9};
    const CGammaLut<unsigned char> tiny(0, single, 0.5);
    unsigned char entry = 0xAB;
    tiny.GetGammaCorrectedLut(1.0, &entry);
    EXPECT_EQ(entry, 0);
}

// ---------------------------------------------------------------------------------------------
// Constructor statistics and window

TEST(GammaLutConstruction, InputWindowFromTheHistogram) {
    const std::vector<DWORD> h = Histogram(255, {{20, 5}, {100, 1}, {221, 2}});
    auto window = [&](double p) {
        CGammaLut<unsigned char> lut(255, h.data(), p);
        return InputWindow(lut);
    };
    EXPECT_EQ(window(0.0), std::make_pair(20, 201));
    EXPECT_EQ(window(0.3), std::make_pair(80, 141)); // trunc(20 + 0.3 * 201)
    EXPECT_EQ(window(1.0), std::make_pair(221, 0));
    EXPECT_EQ(window(-0.5), std::make_pair(20, 201));
    EXPECT_EQ(window(1.5), std::make_pair(20, 201));
    EXPECT_EQ(window(kNaN), std::make_pair(20, 201));

    std::vector<DWORD> h16(65536, 0);
    h16[1000] = 1;
    h16[61000] = 1;
    CGammaLut<unsigned short> lut16(65535, h16.data(), 0.25);
    EXPECT_EQ(InputWindow(lut16), std::make_pair(16000, 45000));
}

TEST(GammaLutConstruction, NullHistogramIsRejected) {
    EXPECT_THROW(CGammaLut<unsigned char>(255, nullptr, 0.0), CInvalidArgException);
    EXPECT_THROW(CGammaLut<unsigned short>(65535, nullptr, 0.0), CInvalidArgException);
}

// ---------------------------------------------------------------------------------------------
// Window strategy and window table

TEST(GammaWindow, MMEqualCutFromOccupiedLevelsAndCuts) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {50, 9}, {110, 1}});
    auto window = [&](double lowCut, double highCut) {
        double low = kNaN;
        double high = kNaN;
        MMEqualCut(256, h.data(), lowCut, highCut, low, high);
        return std::make_pair(low, high);
    };
    EXPECT_EQ(window(0.0, 0.0), std::make_pair(10.0, 110.0));
    EXPECT_EQ(window(0.1, 0.2), std::make_pair(20.0, 90.0));
    EXPECT_EQ(window(-1.0, -2.0), std::make_pair(0.0, 255.0));
    EXPECT_EQ(window(0.8, 0.8), std::make_pair(90.0, 90.0));

    // A high end of exactly n is pulled back to n - 1.
    const std::vector<DWORD> upper = Histogram(255, {{56, 1}, {156, 1}});
    double low = 0.0;
    double high = 0.0;
    MMEqualCut(256, upper.data(), 0.0, -1.0, low, high);
    EXPECT_EQ(high, 255.0);
    MMEqualCut(256, upper.data(), 0.0, -0.5, low, high);
    EXPECT_EQ(high, 206.0);
}

TEST(GammaWindow, MMEqualCutOnEmptyInput) {
    const std::vector<DWORD> empty(256, 0);
    double low = kNaN;
    double high = kNaN;
    MMEqualCut(256, empty.data(), 0.1, 0.1, low, high);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 0.0);
    low = high = kNaN;
    MMEqualCut(0, nullptr, 0.0, 0.0, low, high);
    EXPECT_EQ(low, 0.0);
    EXPECT_EQ(high, 0.0);
    EXPECT_THROW(MMEqualCut(1, nullptr, 0.0, 0.0, low, high), CInvalidArgException);
}

TEST(GammaWindow, DefaultStrategySpansTheOccupiedLevels) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {50, 9}, {110, 1}});
    std::vector<BYTE> table(256, 0xAB);
    BuildGammaWindowTable(256, h.data(), 0.0, 0.0, nullptr, table.data());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(table[i], 0) << "entry " << i;
    EXPECT_EQ(table[10], 0);
    EXPECT_EQ(table[11], 2);
    EXPECT_EQ(table[60], 127);
    EXPECT_EQ(table[109], 252);
    for (int i = 110; i < 256; ++i)
        EXPECT_EQ(table[i], 255) << "entry " << i;

    // Without a strategy the cuts are not used.
    std::vector<BYTE> withCuts(256, 0xAB);
    BuildGammaWindowTable(256, h.data(), 0.2, 0.3, nullptr, withCuts.data());
    EXPECT_EQ(withCuts, table);
}

TEST(GammaWindow, StrategyChoosesTheWindow) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {110, 1}});
    std::vector<BYTE> table(256, 0xAB);
    BuildGammaWindowTable(256, h.data(), 0.1, 0.2, MMEqualCut, table.data());
    // Window 20 to 90.
    EXPECT_EQ(table[19], 0);
    EXPECT_EQ(table[20], 0);
    EXPECT_EQ(table[21], 3);
    EXPECT_EQ(table[89], 251);
    EXPECT_EQ(table[90], 255);
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

TEST(GammaWindow, EmptyOrOddWindows) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}, {110, 1}});
    for (const GammaWindowStrategy strategy : {EmptyWindow, ReversedWindow}) {
        std::vector<BYTE> table(256, 0xAB);
        BuildGammaWindowTable(256, h.data(), 0.0, 0.0, strategy, table.data());
        EXPECT_EQ(table, std::vector<BYTE>(256, 0));
    }

    // An unbounded low end leaves no ramp: 0 up to the high end, 255 from it on.
    std::vector<BYTE> table(256, 0xAB);
    BuildGammaWindowTable(256, h.data(), 0.0, 0.0, UnboundedWindow, table.data());
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(table[i], i < 100 ? 0 : 255) << "entry " << i;

    // An empty histogram gives an empty window.
    const std::vector<DWORD> empty(256, 0);
    BuildGammaWindowTable(256, empty.data(), 0.0, 0.0, nullptr, table.data());
    EXPECT_EQ(table, std::vector<BYTE>(256, 0));
}

TEST(GammaWindow, BadArguments) {
    const std::vector<DWORD> h = Histogram(255, {{10, 3}});
    std::vector<BYTE> table(256);
    EXPECT_THROW(BuildGammaWindowTable(256, nullptr, 0.0, 0.0, nullptr, table.data()),
                 CInvalidArgException);
    EXPECT_THROW(BuildGammaWindowTable(256, h.data(), 0.0, 0.0, nullptr, nullptr),
                 CInvalidArgException);
    EXPECT_NO_THROW(BuildGammaWindowTable(0, nullptr, 0.0, 0.0, nullptr, nullptr));
}

// ---------------------------------------------------------------------------------------------
// Search

TEST(GammaLutSearch, RejectedInputsGiveGammaOneWithoutTables) {
    const std::vector<DWORD> h = Histogram(255, {{30, 100}, {90, 50}, {200, 5}});
    const std::vector<unsigned char> source = {0, 30, 90, 200, 255};

    for (const double p : {-0.01, 1.01, kNaN, -kInf}) {
        CGammaLut<unsigned char> lut(255, h.data(), 0.0);
        double gamma = 7.0;
        WORD lower = 0;
        WORD width = 0;
        lut.CalculateOptimalGamma(p, gamma, lower, width);
        EXPECT_EQ(gamma, 1.0);
        EXPECT_EQ(lower, 30);
        EXPECT_EQ(width, 170);
        std::vector<WORD> wide(source.size(), 0xABCD);
        std::vector<BYTE> narrow(source.size(), 0xAB);
        lut.ApplyGammaLut(static_cast<DWORD>(source.size()), source.data(), wide.data());
        lut.ApplyGammaLut(static_cast<DWORD>(source.size()), source.data(), narrow.data());
        EXPECT_EQ(wide, std::vector<WORD>(source.size(), 0));
        EXPECT_EQ(narrow, std::vector<BYTE>(source.size(), 0));
    }

    // Mean 0: everything at level 0, or no counts at all.
    for (const std::vector<DWORD>& zeroMean :
         {Histogram(255, {{0, 1000}}), std::vector<DWORD>(256, 0)}) {
        CGammaLut<unsigned char> lut(255, zeroMean.data(), 0.5);
        double gamma = 7.0;
        WORD lower = 0xFFFF;
        WORD width = 0xFFFF;
        lut.CalculateOptimalGamma(0.5, gamma, lower, width, 0.0, 0.0, nullptr);
        EXPECT_EQ(gamma, 1.0);
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(lut.GetTarget(), 0.0);
        std::vector<WORD> wide(source.size(), 0xABCD);
        lut.ApplyGammaLut(static_cast<DWORD>(source.size()), source.data(), wide.data());
        EXPECT_EQ(wide, std::vector<WORD>(source.size(), 0));
    }
}

TEST(GammaLutSearch, RejectedInputKeepsEarlierTables) {
    const std::vector<DWORD> h = Histogram(255, {{30, 100}, {90, 50}, {200, 5}});
    CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;
    lut.CalculateOptimalGamma(0.5, gamma, lower, width);
    const std::vector<WORD> before = AppliedGammaTable(lut, 255);
    ASSERT_NE(before, std::vector<WORD>(256, 0));

    lut.CalculateOptimalGamma(2.0, gamma, lower, width);
    EXPECT_EQ(gamma, 1.0);
    EXPECT_EQ(AppliedGammaTable(lut, 255), before);
}

TEST(GammaLutSearch, Target) {
    const std::vector<DWORD> h = Histogram(255, {{30, 100}, {90, 50}, {200, 5}});
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;
    CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    lut.CalculateOptimalGamma(0.5, gamma, lower, width);
    EXPECT_EQ(lut.GetTarget(), 127.5);
    lut.CalculateOptimalGamma(0.0, gamma, lower, width);
    EXPECT_EQ(lut.GetTarget(), 25.5);
    lut.CalculateOptimalGamma(1.0, gamma, lower, width);
    EXPECT_EQ(lut.GetTarget(), 229.5);

    // For M = 1000 the plain target spans 100 to 900; the window target stays on 0..255, and
    // window mode stays on for later calls of the plain overload.
    const std::vector<DWORD> h1000 = Histogram(1000, {{100, 8}, {700, 2}});
    CGammaLut<unsigned short> wide(1000, h1000.data(), 0.0);
    wide.CalculateOptimalGamma(0.0, gamma, lower, width);
    EXPECT_EQ(wide.GetTarget(), 100.0);
    wide.CalculateOptimalGamma(1.0, gamma, lower, width);
    EXPECT_EQ(wide.GetTarget(), 900.0);
    wide.CalculateOptimalGamma(0.5, gamma, lower, width, 0.0, 0.0, nullptr);
    EXPECT_EQ(wide.GetTarget(), 127.5);
    wide.CalculateOptimalGamma(1.0, gamma, lower, width);
    EXPECT_EQ(wide.GetTarget(), 229.5);
}

struct SearchCase {
    const char* name;
    std::vector<DWORD> histogram;
    double constructorP;
    double p;
    int window; // 0 none, 1 default strategy, 2 MMEqualCut with the cuts below
    double lowCut;
    double highCut;
    double minGamma;
    double maxGamma;
    bool expectAccepted;
};

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

std::vector<SearchCase> SearchCases() {
    return {
        {"dark", DarkImage(), 0.0, 0.5, 0, 0.0, 0.0, 0.02, 5.0, true},
        {"darkLowerFromP", DarkImage(), 0.1, 0.3, 0, 0.0, 0.0, 0.02, 5.0, true},
        {"bright", BrightImage(), 0.1, 0.3, 0, 0.0, 0.0, 0.02, 5.0, true},
        {"darkWindow", DarkImage(), 0.0, 0.5, 1, 0.0, 0.0, 0.02, 5.0, true},
        {"brightWindowCuts", BrightImage(), 0.0, 0.4, 2, 0.05, 0.1, 0.02, 5.0, true},
        {"twelveBit", TwelveBitImage(), 0.0, 0.6, 0, 0.0, 0.0, 0.02, 5.0, true},
        {"twelveBitWindow", TwelveBitImage(), 0.05, 0.45, 1, 0.0, 0.0, 0.02, 5.0, true},
        // Three levels: the objective is a staircase in gamma, so the search meets ties.
        {"threeLevels", Histogram(255, {{0, 10}, {100, 10}, {255, 10}}), 0.0, 0.5, 0, 0.0, 0.0,
         0.02, 5.0, true},
        {"threeLevelsWindow", Histogram(255, {{0, 10}, {100, 10}, {255, 10}}), 0.0, 0.3, 1, 0.0,
         0.0, 0.02, 5.0, true},
        // The minimum lies just above the upper gamma bound.
        {"darkWindowTooBright", DarkImage(), 0.0, 0.7, 1, 0.0, 0.0, 0.02, 5.0, false},
        // The objective stays above 1000.0 within the bounds.
        {"narrowBounds", DarkImage(), 0.0, 0.9, 0, 0.0, 0.0, 0.5, 0.8, false},
        // Only levels 0 and 255: the corrected mean is 127.5 whatever the gamma.
        {"flat", Histogram(255, {{0, 10}, {255, 10}}), 0.0, 0.0, 0, 0.0, 0.0, 0.02, 5.0, false},
    };
}

template <class T> void CheckAgainstReference(const SearchCase& c) {
    const std::size_t m = c.histogram.size() - 1;
    CGammaLut<T> lut(static_cast<T>(m), c.histogram.data(), c.constructorP);
    lut.SetMinMaxGamma(c.minGamma, c.maxGamma);
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;
    if (c.window == 0)
        lut.CalculateOptimalGamma(c.p, gamma, lower, width);
    else if (c.window == 1) // the cuts go unused without a strategy
        lut.CalculateOptimalGamma(c.p, gamma, lower, width, 0.3, 0.3, nullptr);
    else
        lut.CalculateOptimalGamma(c.p, gamma, lower, width, c.lowCut, c.highCut, MMEqualCut);

    const Reference expected = ReferenceSearch(c.histogram, c.constructorP, c.p, c.window != 0,
                                               c.lowCut, c.highCut, c.minGamma, c.maxGamma);
    EXPECT_EQ(gamma, expected.gamma);
    EXPECT_EQ(lower, expected.lower);
    EXPECT_EQ(width, expected.width);
    if (c.expectAccepted)
        EXPECT_NE(gamma, 1.0);
    else
        EXPECT_EQ(gamma, 1.0);

    // The tables left behind are those of the chosen gamma.
    std::vector<T> table(m + 1);
    lut.GetGammaCorrectedLut(gamma, table.data());
    const std::vector<WORD> applied = AppliedGammaTable(lut, m);
    for (std::size_t i = 0; i <= m; ++i)
        ASSERT_EQ(applied[i], table[i]) << "entry " << i;
}

TEST(GammaLutSearch, MatchesTheRoutinesWrittenOut) {
    for (const SearchCase& c : SearchCases()) {
        SCOPED_TRACE(c.name);
        if (c.histogram.size() <= 256)
            CheckAgainstReference<unsigned char>(c);
        CheckAgainstReference<unsigned short>(c);
    }
}

TEST(GammaLutSearch, SixteenBitFullRange) {
    // A dark 16-bit image over all 65536 bins.
    std::vector<DWORD> h(65536, 0);
    for (int i = 2000; i < 30000; i += 7)
        h[i] = 3 + static_cast<DWORD>(i % 11);
    h[60000] = 20;
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;

    // Aiming at the middle, the best gamma found misses the target by more than 1000.0.
    CGammaLut<unsigned short> lut(65535, h.data(), 0.0);
    lut.CalculateOptimalGamma(0.5, gamma, lower, width);
    EXPECT_EQ(lut.GetTarget(), 32767.5);
    EXPECT_EQ(gamma, ReferenceSearch(h, 0.0, 0.5, false, 0.0, 0.0).gamma);
    EXPECT_EQ(gamma, 1.0);
    EXPECT_EQ(lower, 2000);
    EXPECT_EQ(width, 58000);

    lut.CalculateOptimalGamma(0.6, gamma, lower, width);
    EXPECT_EQ(gamma, ReferenceSearch(h, 0.0, 0.6, false, 0.0, 0.0).gamma);
    EXPECT_NE(gamma, 1.0);

    lut.CalculateOptimalGamma(0.5, gamma, lower, width, 0.0, 0.0, nullptr);
    EXPECT_EQ(lut.GetTarget(), 127.5);
    EXPECT_EQ(gamma, ReferenceSearch(h, 0.0, 0.5, true, 0.0, 0.0).gamma);
    EXPECT_NE(gamma, 1.0);
}

// ---------------------------------------------------------------------------------------------
// Applying the tables
//
// Histograms occupied at the two ends keep the corrected mean in the middle whatever the
// gamma, so a search aiming at p = 0 is rejected and leaves the tables of gamma 1.0 over the
// input window of the constructor.

void Window50To150(LONG, const DWORD*, double, double, double& low, double& high) {
    low = 50.0;
    high = 150.0;
}
void Window100To900(LONG, const DWORD*, double, double, double& low, double& high) {
    low = 100.0;
    high = 900.0;
}

TEST(GammaLutApply, EightBitSamples) {
    const std::vector<DWORD> h = Histogram(255, {{0, 10}, {255, 10}});
    CGammaLut<unsigned char> lut(255, h.data(), 0.5); // window 127, width 128
    const std::vector<unsigned char> source = {0, 100, 127, 128, 160, 191, 200, 254, 255};
    const DWORD n = static_cast<DWORD>(source.size());
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;

    std::vector<WORD> wide(n, 0xABCD);
    std::vector<BYTE> narrow(n, 0xAB);
    lut.ApplyGammaLut(n, source.data(), wide.data());
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(wide, std::vector<WORD>(n, 0));
    EXPECT_EQ(narrow, std::vector<BYTE>(n, 0));

    lut.CalculateOptimalGamma(0.0, gamma, lower, width);
    ASSERT_EQ(gamma, 1.0);
    ASSERT_EQ(lower, 127);
    ASSERT_EQ(width, 128);
    // trunc((s - 127) * 255 / 128) inside the window.
    lut.ApplyGammaLut(n, source.data(), wide.data());
    EXPECT_EQ(wide, (std::vector<WORD>{0, 0, 0, 1, 65, 127, 145, 253, 255}));
    // No window mode: the window table holds zeros.
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(narrow, std::vector<BYTE>(n, 0));

    lut.CalculateOptimalGamma(0.0, gamma, lower, width, 0.0, 0.0, Window50To150);
    ASSERT_EQ(gamma, 1.0);
    lut.ApplyGammaLut(n, source.data(), wide.data());
    EXPECT_EQ(wide, (std::vector<WORD>{0, 0, 0, 1, 65, 127, 145, 253, 255}));
    // trunc((g - 50) * 2.55) of the corrected sample g inside the window 50 to 150.
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{0, 0, 0, 0, 38, 196, 242, 255, 255}));
}

TEST(GammaLutApply, SixteenBitSamples) {
    const std::vector<DWORD> h = Histogram(1000, {{0, 5}, {1000, 5}});
    CGammaLut<unsigned short> lut(1000, h.data(), 0.2); // window 200, width 800
    const std::vector<unsigned short> source = {0, 199, 301, 650, 850, 999, 1000, 5000};
    const DWORD n = static_cast<DWORD>(source.size());
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;

    lut.CalculateOptimalGamma(0.0, gamma, lower, width);
    ASSERT_EQ(gamma, 1.0);
    ASSERT_EQ(lower, 200);
    ASSERT_EQ(width, 800);
    // trunc((s - 200) / 0.8) inside the window; a sample above M reads as M.
    std::vector<WORD> wide(n, 0xABCD);
    lut.ApplyGammaLut(n, source.data(), wide.data());
    EXPECT_EQ(wide, (std::vector<WORD>{0, 0, 126, 562, 812, 998, 1000, 1000}));

    lut.CalculateOptimalGamma(0.0, gamma, lower, width, 0.0, 0.0, Window100To900);
    ASSERT_EQ(gamma, 1.0);
    // trunc((g - 100) * 255 / 800) of the corrected sample g inside the window 100 to 900.
    std::vector<BYTE> narrow(n, 0xAB);
    lut.ApplyGammaLut(n, source.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{0, 0, 8, 147, 226, 255, 255, 255}));
}

TEST(GammaLutApply, NullBuffers) {
    const std::vector<DWORD> h = Histogram(255, {{0, 10}, {255, 10}});
    const CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    const unsigned char source[2] = {1, 2};
    WORD wide[2] = {};
    BYTE narrow[2] = {};
    EXPECT_THROW(lut.ApplyGammaLut(2, nullptr, wide), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, source, static_cast<WORD*>(nullptr)), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, nullptr, narrow), CInvalidArgException);
    EXPECT_THROW(lut.ApplyGammaLut(2, source, static_cast<BYTE*>(nullptr)), CInvalidArgException);
    EXPECT_NO_THROW(lut.ApplyGammaLut(0, nullptr, static_cast<WORD*>(nullptr)));
    EXPECT_NO_THROW(lut.ApplyGammaLut(0, nullptr, static_cast<BYTE*>(nullptr)));
}

// ---------------------------------------------------------------------------------------------
// Strategy arguments

struct StrategyCall {
    LONG n = 0;
    double lowCut = 0.0;
    double highCut = 0.0;
    DWORD first = 0;
    DWORD last = 0;
    int calls = 0;
};
StrategyCall g_call;

void RecordingWindow(LONG n, const DWORD* h, double lowCut, double highCut, double& low,
                     double& high) {
    g_call = {n, lowCut, highCut, h[0], h[n - 1], g_call.calls + 1};
    low = 0.0;
    high = static_cast<double>(n - 1);
}

TEST(GammaLutSearch, StrategySeesTheCorrectedHistogramAndTheCuts) {
    const std::vector<DWORD> h = Histogram(255, {{40, 10}, {200, 30}});
    CGammaLut<unsigned char> lut(255, h.data(), 0.0);
    g_call = {};
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;
    lut.CalculateOptimalGamma(0.0, gamma, lower, width, 0.125, 0.25, RecordingWindow);
    EXPECT_GT(g_call.calls, 3);
    EXPECT_EQ(g_call.n, 256);
    EXPECT_EQ(g_call.lowCut, 0.125);
    EXPECT_EQ(g_call.highCut, 0.25);
    // The window's ends of the corrected histogram: 40 maps to 0, 200 to 255.
    EXPECT_EQ(g_call.first, 10u);
    EXPECT_EQ(g_call.last, 30u);
}

// ---------------------------------------------------------------------------------------------
// Copying

TEST(GammaLutCopy, CopiesOwnTheirTables) {
    const std::vector<DWORD> h = Histogram(255, {{0, 10}, {255, 10}});
    CGammaLut<unsigned char> original(255, h.data(), 0.5);
    const CGammaLut<unsigned char> blank(original);
    double gamma = 0.0;
    WORD lower = 0;
    WORD width = 0;
    original.CalculateOptimalGamma(0.0, gamma, lower, width);
    const std::vector<WORD> gammaOne = AppliedGammaTable(original, 255);

    // A copy made before the search has no tables.
    EXPECT_EQ(AppliedGammaTable(blank, 255), std::vector<WORD>(256, 0));

    CGammaLut<unsigned char> copy(original);
    const std::vector<DWORD> other = Histogram(100, {{3, 1}, {90, 4}});
    CGammaLut<unsigned char> assigned(100, other.data(), 0.0);
    assigned = original;
    const CGammaLut<unsigned char>& alias = assigned;
    assigned = alias;
    EXPECT_EQ(AppliedGammaTable(copy, 255), gammaOne);
    EXPECT_EQ(AppliedGammaTable(assigned, 255), gammaOne);
    EXPECT_EQ(InputWindow(assigned), std::make_pair(127, 128));

    // A new search of the original changes none of the copies.
    const std::vector<unsigned char> source = {160, 200};
    std::vector<BYTE> narrow(2, 0xAB);
    original.CalculateOptimalGamma(0.0, gamma, lower, width, 0.0, 0.0, Window50To150);
    original.ApplyGammaLut(2, source.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{38, 242}));
    copy.ApplyGammaLut(2, source.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{0, 0}));
    EXPECT_EQ(AppliedGammaTable(copy, 255), gammaOne);

    // Copies take the gamma bounds and the window mode along.
    original.SetMinMaxGamma(0.5, 0.6);
    CGammaLut<unsigned char> bounded(original);
    std::vector<unsigned char> table(256);
    bounded.GetGammaCorrectedLut(5.0, table.data());
    std::vector<unsigned char> expected(256);
    original.GetGammaCorrectedLut(0.6, expected.data());
    EXPECT_EQ(table, expected);
    const std::vector<unsigned char> ends = {0, 255};
    bounded.CalculateOptimalGamma(0.0, gamma, lower, width);
    bounded.ApplyGammaLut(2, ends.data(), narrow.data());
    EXPECT_EQ(narrow, (std::vector<BYTE>{0, 255}));
}

} // namespace
} // namespace vellum
