#pragma once
// CGammaLut: finds the gamma curve that brings an image's mean grey level to a chosen
// brightness, and turns it into look-up tables for pixel buffers.
//
// The host supplies a grey-level histogram of M + 1 bins (M being the highest sample value).
// CalculateOptimalGamma minimises the squared distance between the mean of the gamma-corrected
// histogram and a target mean with a parabolic bracketing followed by a golden-section search.
// In window mode the corrected grey levels are further mapped onto 0..255 through a window
// chosen by a window strategy. ApplyGammaLut then maps sample buffers through the tables of the
// last search. Only CGammaLut<unsigned char> and CGammaLut<unsigned short> exist.

#include <vellum/platform/Types.h>

#include <type_traits>
#include <vector>

namespace vellum {

// Chooses the window of the window step: from the n counts of a histogram and the two cuts it
// writes the window's ends as grey levels in 0..n-1.
using GammaWindowStrategy = void (*)(LONG n, const DWORD* histogram, double lowCut, double highCut,
                                     double& windowLow, double& windowHigh);

// The default window strategy: from the first to the last occupied grey level, narrowed by
// lowCut and highCut times that range at either end. The low end is at least 0, the high end at
// most n - 1 and never below the low end. Throws CInvalidArgException for a null histogram when
// n > 0.
void MMEqualCut(LONG n, const DWORD* histogram, double lowCut, double highCut, double& windowLow,
                double& windowHigh);

// Fills the n entries of table, which maps grey levels of the histogram onto 0..255 through the
// window that strategy (MMEqualCut with both cuts 0 when strategy is null, the cuts then being
// ignored) chooses: 0 below the window, a linear ramp inside it, 255 from its high end on, and
// all 0 when the window is empty. Throws CInvalidArgException for a null histogram or table
// when n > 0.
void BuildGammaWindowTable(LONG n, const DWORD* histogram, double lowCut, double highCut,
                           GammaWindowStrategy strategy, BYTE* table);

template <class T> class CGammaLut {
    static_assert(std::is_same_v<T, unsigned char> || std::is_same_v<T, unsigned short>,
                  "CGammaLut exists for unsigned char and unsigned short samples only");

public:
    // maxValue is M, the highest sample value; histogram holds M + 1 counts and must stay valid
    // while the object searches. The gamma curve's input window starts at
    // trunc(min + p * (max - min)) for 0 < p <= 1, else at the histogram's first occupied level,
    // and ends at its last occupied level. Throws CInvalidArgException for a null histogram.
    CGammaLut(T maxValue, const DWORD* histogram, double p);

    // Sets the gamma bounds; ignored unless 0 < minimum < maximum.
    void SetMinMaxGamma(double minimum, double maximum);

    // Fills table (M + 1 entries) with M * ((i - lower) / width)^(1 / gamma) over the input
    // window, 0 below it and M above it; gamma is clamped to the gamma bounds first. Throws
    // CInvalidArgException for a null table.
    void GetGammaCorrectedLut(double gamma, T* table) const;

    // Searches the gamma that brings the corrected mean to 10 % of the range for p = 0 up to
    // 90 % for p = 1, and makes the tables for ApplyGammaLut. Gamma is 1.0 when the search
    // fails; p outside [0, 1] or a histogram of mean 0 gives 1.0 without touching the tables.
    // lower and width receive the gamma curve's input window.
    void CalculateOptimalGamma(double p, double& gamma, WORD& lower, WORD& width);
    // The same with window mode switched on for this and every later search: the corrected
    // grey levels are mapped onto 0..255 through the window that strategy chooses from the two
    // cuts (MMEqualCut with both cuts 0 when strategy is null).
    void CalculateOptimalGamma(double p, double& gamma, WORD& lower, WORD& width, double lowCut,
                               double highCut, GammaWindowStrategy strategy);

    // output[i] := gamma table[source[i]]. All n outputs are 0 until a search has made the
    // tables. A sample above M is read as M. Throws CInvalidArgException for a null buffer
    // when n > 0.
    void ApplyGammaLut(DWORD n, const T* source, WORD* output) const;
    // output[i] := window table[gamma table[source[i]]], otherwise as above. After searches
    // without window mode the window table holds zeros.
    void ApplyGammaLut(DWORD n, const T* source, BYTE* output) const;

    // The mean grey level the last search aimed at (0 before any search).
    double GetTarget() const { return m_target; }

private:
    // The squared distance between the target and the mean of the histogram corrected by
    // gamma; leaves gamma's tables in the gamma table and the window table.
    double GetAvgOfGammaCorrectedHisto(double gamma);
    // Brackets a minimum of the objective starting from ax and bx.
    void Mnbrak(double& ax, double& bx, double& cx, double& fa, double& fb, double& fc);
    // Narrows the bracket (ax, bx, cx) to the given relative tolerance; returns the objective
    // at the abscissa written to xmin.
    double Golden(double ax, double bx, double cx, double tolerance, double& xmin);

    T m_maxValue;
    const DWORD* m_pHistogram;
    // Work histograms, allocated only while CalculateOptimalGamma runs.
    std::vector<DWORD> m_correctedHisto;
    std::vector<DWORD> m_finalHisto;
    double m_target = 0.0;
    double m_minGamma = 0.02;
    double m_maxGamma = 5.0;
    double m_lowCut = 0.0;
    double m_highCut = 0.0;
    GammaWindowStrategy m_pfnWindowStrategy = nullptr;
    BYTE m_bWindowMode = 0;
    // Empty until a search makes them; M + 1 entries each afterwards.
    std::vector<T> m_gammaTable;
    std::vector<BYTE> m_windowTable;
    T m_windowLower = 0;
    T m_windowWidth = 0;
    double m_histoMin = 0.0;
    double m_histoMax = 0.0;
    double m_histoMean = 0.0;
};

extern template class CGammaLut<unsigned char>;
extern template class CGammaLut<unsigned short>;

} // namespace vellum
