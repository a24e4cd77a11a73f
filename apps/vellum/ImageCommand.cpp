// vellum image FILE [--json]: an image file as the library sees it: size, sample depth and
// signedness, photometric interpretation, the range of the stored values, the rescale to
// output values and the resolution that a pixel spacing gives.

#include "Commands.h"

#include <vellum/imaging/io/ImageFile.h>

#include <cstdio>
#include <string>

namespace vellum::tool {

int RunImage(const Args& args) {
    const auto [path, json] = ParseFileArgs(args, "usage: vellum image FILE [--json]");

    CImageFileInfo info;
    const auto image = LoadImage(path, &info);

    const char* signedness = info.isSigned ? "signed" : "unsigned";
    if (json) {
        std::printf("{\"file\":%s,\"format\":%s,\"width\":%d,\"height\":%d,\"bitsStored\":%d,"
                    "\"bitmapBits\":%d,\"signed\":%s,\"photometric\":%s,\"minimum\":%ld,"
                    "\"maximum\":%ld,\"rescaleSlope\":%g,\"rescaleIntercept\":%g",
                    JsonString(path).c_str(), JsonString(info.format).c_str(), image->Width,
                    image->Height, info.bitsStored, image->BitsPerPixel,
                    info.isSigned ? "true" : "false", JsonString(info.photometric).c_str(),
                    info.minimum, info.maximum, info.rescaleSlope, info.rescaleIntercept);
        if (info.hasSpacing)
            std::printf(",\"pixelsPerMm\":[%.6g,%.6g]", info.pixelsPerMmX, info.pixelsPerMmY);
        std::printf("}\n");
        return 0;
    }
    std::printf("%s: %s image\n", path.c_str(), info.format.c_str());
    std::printf("size         %d x %d pixels\n", image->Width, image->Height);
    std::printf("samples      %d bits stored, %s (bitmap of %d bits)\n", info.bitsStored,
                signedness, image->BitsPerPixel);
    std::printf("photometric  %s\n", info.photometric.c_str());
    std::printf("values       %ld to %ld\n", info.minimum, info.maximum);
    if (info.rescaleSlope != 1.0 || info.rescaleIntercept != 0.0)
        std::printf("rescale      value * %g + %g\n", info.rescaleSlope, info.rescaleIntercept);
    if (info.hasSpacing)
        std::printf("resolution   %.6g x %.6g pixels per mm\n", info.pixelsPerMmX,
                    info.pixelsPerMmY);
    else
        std::printf("resolution   none (not calibrated)\n");
    return 0;
}

} // namespace vellum::tool
