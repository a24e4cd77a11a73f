#pragma once
// How the viewer turns a bitmap's samples into the 8-bit grey levels it shows: the full range
// of the samples, a window and level, or the optimal gamma table whose brightness p asks for
// (with the fraction that raises the lower end of the gamma curve's input window kept apart).

#include <vellum/imaging/Bitmap.h>

#include <vector>

namespace vellum::viewer {

struct DisplaySettings {
    enum class Mode { FullRange, WindowLevel, Gamma };
    Mode mode = Mode::FullRange;
    double level = 128.0; // centre of the window, in bitmap samples
    double width = 256.0; // width of the window, in bitmap samples
    double p = 0.5;       // brightness asked of the gamma table, 0 to 1
    double lowerFraction = 0.0;
};

struct DisplayPicture {
    std::vector<BYTE> grey; // width * height bytes, top row first
    double gamma = 1.0;     // the gamma used (1.0 outside gamma mode, or when none was accepted)
};

// The largest sample the bitmap's depth holds: 255, 4095 or 65535.
unsigned MaxSample(const struct_LEAD_Bitmap& bitmap);
// The sample at (x, y), y counted from the top row.
unsigned SampleAt(const struct_LEAD_Bitmap& bitmap, int x, int y);
DisplayPicture MakeDisplayPicture(const struct_LEAD_Bitmap& bitmap,
                                  const DisplaySettings& settings);

} // namespace vellum::viewer
