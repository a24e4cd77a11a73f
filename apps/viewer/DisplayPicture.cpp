#include "DisplayPicture.h"

#include <vellum/gamma/GammaLut.h>

#include <algorithm>
#include <cmath>

namespace vellum::viewer {

namespace {

// Every sample of the bitmap, top row first, clamped to its depth's maximum.
template <class T> std::vector<T> Samples(const struct_LEAD_Bitmap& bitmap) {
    std::vector<T> samples(static_cast<std::size_t>(bitmap.Width) * bitmap.Height);
    const unsigned maximum = MaxSample(bitmap);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x)
            samples[static_cast<std::size_t>(y) * bitmap.Width + x] =
                static_cast<T>(std::min(SampleAt(bitmap, x, y), maximum));
    return samples;
}

template <class T>
DisplayPicture GammaPicture(const struct_LEAD_Bitmap& bitmap, const DisplaySettings& settings) {
    const std::vector<T> samples = Samples<T>(bitmap);
    const auto maximum = static_cast<T>(MaxSample(bitmap));
    std::vector<DWORD> histogram(static_cast<std::size_t>(maximum) + 1);
    for (const T sample : samples)
        ++histogram[sample];
    CGammaLut<T> lut(maximum, histogram.data(), settings.lowerFraction);
    DisplayPicture picture;
    WORD lower = 0;
    WORD width = 0;
    // The window step spreads the corrected levels over 0-255 for the screen.
    lut.CalculateOptimalGamma(settings.p, picture.gamma, lower, width, 0.0, 0.0, nullptr);
    picture.grey.resize(samples.size());
    lut.ApplyGammaLut(static_cast<DWORD>(samples.size()), samples.data(), picture.grey.data());
    return picture;
}

} // namespace

unsigned MaxSample(const struct_LEAD_Bitmap& bitmap) {
    return bitmap.BitsPerPixel <= 8 ? 255u : bitmap.BitsPerPixel <= 12 ? 4095u : 65535u;
}

unsigned SampleAt(const struct_LEAD_Bitmap& bitmap, int x, int y) {
    const std::size_t row = static_cast<std::size_t>(bitmap.Height - 1 - y);
    const std::size_t at =
        row * bitmap.BytesPerLine() + static_cast<std::size_t>(x) * bitmap.BytesPerSample();
    return bitmap.BytesPerSample() == 1 ? bitmap.Data[at]
                                        : bitmap.Data[at] | bitmap.Data[at + 1] << 8;
}

DisplayPicture MakeDisplayPicture(const struct_LEAD_Bitmap& bitmap,
                                  const DisplaySettings& settings) {
    if (settings.mode == DisplaySettings::Mode::Gamma)
        return bitmap.BytesPerSample() == 1 ? GammaPicture<unsigned char>(bitmap, settings)
                                            : GammaPicture<unsigned short>(bitmap, settings);

    double low = 0.0;
    double high = MaxSample(bitmap);
    if (settings.mode == DisplaySettings::Mode::WindowLevel) {
        const double width = std::max(settings.width, 1.0);
        low = settings.level - width / 2.0;
        high = settings.level + width / 2.0;
    } else if (bitmap.BytesPerSample() == 2) {
        // Deep samples rarely fill their range: the full range is the one they occupy.
        unsigned lowest = MaxSample(bitmap);
        unsigned highest = 0;
        for (int y = 0; y < bitmap.Height; ++y)
            for (int x = 0; x < bitmap.Width; ++x) {
                lowest = std::min(lowest, SampleAt(bitmap, x, y));
                highest = std::max(highest, SampleAt(bitmap, x, y));
            }
        low = lowest;
        high = std::max(highest, lowest + 1);
    }
    DisplayPicture picture;
    picture.grey.resize(static_cast<std::size_t>(bitmap.Width) * bitmap.Height);
    const double scale = 255.0 / (high - low);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x) {
            const double level = (SampleAt(bitmap, x, y) - low) * scale;
            picture.grey[static_cast<std::size_t>(y) * bitmap.Width + x] =
                static_cast<BYTE>(std::clamp(std::lround(level), 0L, 255L));
        }
    return picture;
}

} // namespace vellum::viewer
