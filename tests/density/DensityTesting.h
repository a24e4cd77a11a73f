#pragma once
// The density tests' ramp image and a histogram's statistics checked at once.

#include "support/GreyBitmap.h"

#include <vellum/density/Histogram.h>

#include <gtest/gtest.h>

#include <vector>

namespace vellum::test {

// 6 × 8, 8 bits, all 30 but row 5: 0, 51, 102, 204, 255, 9 from the left.
inline struct_LEAD_Bitmap Ramp() {
    std::vector<unsigned> samples(48, 30);
    const unsigned row5[] = {0, 51, 102, 204, 255, 9};
    for (int x = 0; x < 6; ++x)
        samples[static_cast<std::size_t>(5 * 6 + x)] = row5[x];
    return GreyBitmap(6, 8, 8, samples);
}

struct Statistics {
    int result;
    UINT minimum, maximum, peak, upper, pixels;
    double mean, deviation;
};

inline void ExpectStatistics(const CHistogram& h, int result, const Statistics& e) {
    EXPECT_EQ(result, e.result);
    EXPECT_EQ(h.GetMinIntensity(), e.minimum);
    EXPECT_EQ(h.GetMaxIntensity(), e.maximum);
    EXPECT_EQ(h.GetPeakIntensity(), e.peak);
    EXPECT_EQ(h.GetUpperLimit(), e.upper);
    EXPECT_EQ(h.GetPixelCount(), e.pixels);
    EXPECT_DOUBLE_EQ(h.GetMeanValue(), e.mean);
    EXPECT_DOUBLE_EQ(h.GetStandardDeviation(), e.deviation);
}

} // namespace vellum::test
