#include <vellum/gamma/GammaLut.h>

#include <vellum/platform/Exceptions.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace vellum {

namespace {

struct HistogramStatistics {
    double minimum = 0.0;
    double maximum = 0.0;
    double mean = 0.0;
    DWORD count = 0;
};

// First and last occupied index, total count (wrapping at 32 bits) and mean index of n bins;
// all 0 for an empty histogram. A count that wraps to exactly 0 gives mean 0 rather than a
// division by zero.
HistogramStatistics Statistics(const DWORD* histogram, std::size_t n) {
    HistogramStatistics stats;
    bool occupied = false;
    double weighted = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (histogram[i] != 0) {
            if (!occupied)
                stats.minimum = static_cast<double>(i);
            stats.maximum = static_cast<double>(i);
            occupied = true;
        }
        stats.count += histogram[i];
        weighted += static_cast<double>(i) * static_cast<double>(histogram[i]);
    }
    if (stats.count != 0)
        stats.mean = weighted / static_cast<double>(stats.count);
    return stats;
}

// A host strategy may return any doubles, so the ramp value is clamped before the cast.
BYTE RampToByte(double value) {
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<BYTE>(value);
}

// |x| with the sign of y, a zero y counting as positive.
double Sign(double x, double y) {
    return y >= 0.0 ? std::fabs(x) : -std::fabs(x);
}

} // namespace

void MMEqualCut(LONG n, const DWORD* histogram, double lowCut, double highCut, double& windowLow,
                double& windowHigh) {
    if (n > 0 && histogram == nullptr)
        throw CInvalidArgException();
    const HistogramStatistics stats =
        n > 0 ? Statistics(histogram, static_cast<std::size_t>(n)) : HistogramStatistics();
    const double range = stats.maximum - stats.minimum;
    windowLow = stats.minimum + lowCut * range;
    if (windowLow < 0.0)
        windowLow = 0.0;
    windowHigh = stats.maximum - highCut * range;
    if (windowHigh >= static_cast<double>(n))
        windowHigh = static_cast<double>(n) - 1.0;
    if (windowHigh < windowLow)
        windowHigh = windowLow;
}

void BuildGammaWindowTable(LONG n, const DWORD* histogram, double lowCut, double highCut,
                           GammaWindowStrategy strategy, BYTE* table) {
    if (n <= 0)
        return;
    if (histogram == nullptr || table == nullptr)
        throw CInvalidArgException();
    double low = 0.0;
    double high = 0.0;
    if (strategy != nullptr)
        strategy(n, histogram, lowCut, highCut, low, high);
    else
        MMEqualCut(n, histogram, 0.0, 0.0, low, high);

    const double range = high - low;
    if (range <= 0.0) {
        std::fill_n(table, n, BYTE{0});
        return;
    }
    const double scale = 255.0 / range;
    for (LONG i = 0; i < n; ++i) {
        const double level = static_cast<double>(i);
        if (level < low)
            table[i] = 0;
        else if (level < high)
            table[i] = RampToByte(std::trunc((level - low) * scale));
        else
            table[i] = 255;
    }
}

template <class T>
CGammaLut<T>::CGammaLut(T maxValue, const DWORD* histogram, double p)
    : m_maxValue(maxValue), m_pHistogram(histogram) {
    if (histogram == nullptr)
        throw CInvalidArgException();
    const HistogramStatistics stats = Statistics(histogram, static_cast<std::size_t>(maxValue) + 1);
    m_histoMin = stats.minimum;
    m_histoMax = stats.maximum;
    m_histoMean = stats.mean;
    // Both values lie in [min, max], within 0..M, so the casts are exact truncations.
    if (p > 0.0 && p <= 1.0)
        m_windowLower = static_cast<T>(std::trunc(m_histoMin + p * (m_histoMax - m_histoMin)));
    else
        m_windowLower = static_cast<T>(std::trunc(m_histoMin));
    m_windowWidth = static_cast<T>(static_cast<T>(std::trunc(m_histoMax)) - m_windowLower);
}

template <class T> void CGammaLut<T>::SetMinMaxGamma(double minimum, double maximum) {
    if (minimum < maximum && minimum > 0.0) {
        m_minGamma = minimum;
        m_maxGamma = maximum;
    }
}

template <class T> void CGammaLut<T>::GetGammaCorrectedLut(double gamma, T* table) const {
    if (table == nullptr)
        throw CInvalidArgException();
    double g = gamma;
    if (g < m_minGamma)
        g = m_minGamma;
    if (g > m_maxGamma)
        g = m_maxGamma;
    const double exponent = 1.0 / g;
    const double top = static_cast<double>(m_maxValue);
    const double width = static_cast<double>(m_windowWidth);

    // k scales the curve so that the end of the window reaches M.
    double k = std::pow(width, exponent) / top;
    if (!std::isfinite(k))
        k = std::pow(width, 50.0) / top;

    const unsigned lower = m_windowLower;
    const unsigned end = lower + m_windowWidth;
    for (unsigned i = 0; i <= m_maxValue; ++i) {
        if (i < lower) {
            table[i] = 0;
        } else if (i < end) {
            const double value = std::pow(static_cast<double>(i - lower), exponent) / k;
            if (!std::isfinite(value) || value > top)
                table[i] = m_maxValue;
            else
                table[i] = static_cast<T>(std::trunc(value));
        } else {
            table[i] = m_maxValue;
        }
    }
}

template <class T> double CGammaLut<T>::GetAvgOfGammaCorrectedHisto(double gamma) {
    std::fill(m_correctedHisto.begin(), m_correctedHisto.end(), DWORD{0});
    std::fill(m_finalHisto.begin(), m_finalHisto.end(), DWORD{0});

    GetGammaCorrectedLut(gamma, m_gammaTable.data());
    for (std::size_t i = 0; i <= m_maxValue; ++i)
        m_correctedHisto[m_gammaTable[i]] += m_pHistogram[i];

    if (m_bWindowMode) {
        BuildGammaWindowTable(static_cast<LONG>(m_correctedHisto.size()), m_correctedHisto.data(),
                              m_lowCut, m_highCut, m_pfnWindowStrategy, m_windowTable.data());
        for (std::size_t i = 0; i <= m_maxValue; ++i)
            m_finalHisto[m_windowTable[i]] += m_correctedHisto[i];
    } else {
        std::copy(m_correctedHisto.begin(), m_correctedHisto.end(), m_finalHisto.begin());
    }

    const double difference = Statistics(m_finalHisto.data(), m_finalHisto.size()).mean - m_target;
    return difference * difference;
}

template <class T>
void CGammaLut<T>::Mnbrak(double& ax, double& bx, double& cx, double& fa, double& fb, double& fc) {
    constexpr double GOLD = 1.618034;
    constexpr double GLIMIT = 100.0;
    constexpr double TINY = 1e-20;

    fa = GetAvgOfGammaCorrectedHisto(ax);
    fb = GetAvgOfGammaCorrectedHisto(bx);
    // Go downhill from a to b.
    if (fb > fa) {
        std::swap(ax, bx);
        std::swap(fa, fb);
    }
    cx = bx + GOLD * (bx - ax);
    fc = GetAvgOfGammaCorrectedHisto(cx);
    while (fb > fc) {
        // Parabolic extrapolation through a, b and c; TINY keeps the divisor away from 0.
        const double r = (bx - ax) * (fb - fc);
        const double q = (bx - cx) * (fb - fa);
        const double magnitude = std::fabs(q - r) > TINY ? std::fabs(q - r) : TINY;
        double u = bx - ((bx - cx) * q - (bx - ax) * r) / (2.0 * Sign(magnitude, q - r));
        const double ulim = bx + GLIMIT * (cx - bx);
        double fu = 0.0;
        if ((bx - u) * (u - cx) > 0.0) {
            // The parabolic u lies between b and c.
            fu = GetAvgOfGammaCorrectedHisto(u);
            if (fu < fc) {
                ax = bx;
                bx = u;
                fa = fb;
                fb = fu;
                return;
            }
            if (fu > fb) {
                cx = u;
                fc = fu;
                return;
            }
            u = cx + GOLD * (cx - bx);
            fu = GetAvgOfGammaCorrectedHisto(u);
        } else if ((cx - u) * (u - ulim) > 0.0) {
            // Between c and its allowed limit.
            fu = GetAvgOfGammaCorrectedHisto(u);
            if (fu < fc) {
                bx = cx;
                cx = u;
                u = cx + GOLD * (cx - bx);
                fb = fc;
                fc = fu;
                fu = GetAvgOfGammaCorrectedHisto(u);
            }
        } else if ((u - ulim) * (ulim - cx) >= 0.0) {
            // Beyond the limit: stop at the limit.
            u = ulim;
            fu = GetAvgOfGammaCorrectedHisto(u);
        } else {
            // Rejected: default magnification.
            u = cx + GOLD * (cx - bx);
            fu = GetAvgOfGammaCorrectedHisto(u);
        }
        ax = bx;
        bx = cx;
        cx = u;
        fa = fb;
        fb = fc;
        fc = fu;
    }
}

template <class T>
double CGammaLut<T>::Golden(double ax, double bx, double cx, double tolerance, double& xmin) {
    constexpr double R = 0.61803399;
    constexpr double C = 1.0 - R;

    // x0 and x3 are the ends, x1 and x2 the inner points; the new point goes into the larger
    // of the two segments.
    double x0 = ax;
    double x3 = cx;
    double x1 = 0.0;
    double x2 = 0.0;
    if (std::fabs(cx - bx) > std::fabs(bx - ax)) {
        x1 = bx;
        x2 = bx + C * (cx - bx);
    } else {
        x2 = bx;
        x1 = bx - C * (bx - ax);
    }
    double f1 = GetAvgOfGammaCorrectedHisto(x1);
    double f2 = GetAvgOfGammaCorrectedHisto(x2);
    while (std::fabs(x3 - x0) > tolerance * (std::fabs(x1) + std::fabs(x2))) {
        if (f2 < f1) {
            x0 = x1;
            x1 = x2;
            x2 = R * x1 + C * x3;
            f1 = f2;
            f2 = GetAvgOfGammaCorrectedHisto(x2);
        } else {
            x3 = x2;
            x2 = x1;
            x1 = R * x2 + C * x0;
            f2 = f1;
            f1 = GetAvgOfGammaCorrectedHisto(x1);
        }
    }
    if (f1 < f2) {
        xmin = x1;
        return f1;
    }
    xmin = x2;
    return f2;
}

template <class T>
void CGammaLut<T>::CalculateOptimalGamma(double p, double& gamma, WORD& lower, WORD& width) {
    if (!(p >= 0.0 && p <= 1.0) || m_histoMean <= 0.0) {
        gamma = 1.0;
        lower = m_windowLower;
        width = m_windowWidth;
        return;
    }

    // From 10 % of the range for p = 0 to 90 % for p = 1; the window maps onto 0..255.
    const double top = static_cast<double>(m_maxValue);
    if (m_bWindowMode)
        m_target = 25.5 + (255.0 - 2.0 * 25.5) * p;
    else
        m_target = 0.1 * top + (top - 2.0 * 0.1 * top) * p;

    // The window table maps onto 0..255, so the final histogram has at least 256 bins even
    // when M is below 255; the extra bins stay empty otherwise and change no statistic.
    const std::size_t bins = static_cast<std::size_t>(m_maxValue) + 1;
    m_correctedHisto.assign(bins, 0);
    m_finalHisto.assign(std::max<std::size_t>(bins, 256), 0);
    m_gammaTable.assign(bins, 0);
    m_windowTable.assign(bins, 0);

    double ax = 0.04;
    double bx = 1.1;
    double cx = 0.0;
    double fa = 0.0;
    double fb = 0.0;
    double fc = 0.0;
    Mnbrak(ax, bx, cx, fa, fb, fc);
    double xmin = 0.0;
    const double fmin = Golden(ax, bx, cx, 0.05, xmin);

    if (m_minGamma <= xmin && xmin <= m_maxGamma && fmin <= 1000.0)
        gamma = xmin;
    else
        gamma = 1.0;
    lower = m_windowLower;
    width = m_windowWidth;

    // Leave the chosen gamma's tables behind for ApplyGammaLut.
    GetAvgOfGammaCorrectedHisto(gamma);
    m_correctedHisto = std::vector<DWORD>();
    m_finalHisto = std::vector<DWORD>();
}

template <class T>
void CGammaLut<T>::CalculateOptimalGamma(double p, double& gamma, WORD& lower, WORD& width,
                                         double lowCut, double highCut,
                                         GammaWindowStrategy strategy) {
    m_lowCut = lowCut;
    m_highCut = highCut;
    m_pfnWindowStrategy = strategy;
    m_bWindowMode = 1;
    CalculateOptimalGamma(p, gamma, lower, width);
}

template <class T> void CGammaLut<T>::ApplyGammaLut(DWORD n, const T* source, WORD* output) const {
    if (n == 0)
        return;
    if (source == nullptr || output == nullptr)
        throw CInvalidArgException();
    if (m_gammaTable.empty() || m_windowTable.empty()) {
        std::fill_n(output, n, WORD{0});
        return;
    }
    for (DWORD i = 0; i < n; ++i)
        output[i] = m_gammaTable[std::min(source[i], m_maxValue)];
}

template <class T> void CGammaLut<T>::ApplyGammaLut(DWORD n, const T* source, BYTE* output) const {
    if (n == 0)
        return;
    if (source == nullptr || output == nullptr)
        throw CInvalidArgException();
    if (m_gammaTable.empty() || m_windowTable.empty()) {
        std::fill_n(output, n, BYTE{0});
        return;
    }
    for (DWORD i = 0; i < n; ++i)
        output[i] = m_windowTable[m_gammaTable[std::min(source[i], m_maxValue)]];
}

template class CGammaLut<unsigned char>;
template class CGammaLut<unsigned short>;

} // namespace vellum
