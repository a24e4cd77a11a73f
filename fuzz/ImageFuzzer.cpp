// Reads arbitrary bytes as a grey image file (PGM, PNG or DICOM). Damaged files must end in
// CImageFormatException, never in a crash, a leak or an allocation the file could not fill;
// an image that loads must describe itself sanely (a usable depth, finite positive spacing,
// stored values within the range it reports) and save and load back to the same samples.

#include <vellum/imaging/io/ImageFile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace vellum;

// The loader reads files: each input goes through a file of this process's own.
const std::string& ScratchPath(const char* suffix) {
    static const std::string base = "/tmp/vellum-image-fuzz-" + std::to_string(getpid());
    static std::string path;
    path = base + suffix;
    return path;
}

bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = ScratchPath(".in");
    if (!WriteFile(input, data, size))
        return 0;
    std::unique_ptr<struct_LEAD_Bitmap> image;
    CImageFileInfo info;
    try {
        image = LoadImageFile(input.c_str(), &info);
    } catch (const CImageFormatException&) {
        return 0;
    }
    if (info.bitsStored < 1 || info.bitsStored > 16 || info.minimum > info.maximum)
        std::abort();
    if (info.hasSpacing && !(std::isfinite(info.pixelsPerMmX) && info.pixelsPerMmX > 0 &&
                             std::isfinite(info.pixelsPerMmY) && info.pixelsPerMmY > 0))
        std::abort();
    // The first and last samples map back into the stored range the file reports.
    const auto* samples = image->Data.data();
    const unsigned first = image->BitsPerPixel == 8 ? samples[0] : samples[0] | samples[1] << 8;
    if (info.StoredValue(first) < info.minimum || info.StoredValue(first) > info.maximum)
        std::abort();
    // Both formats keep every sample: what loaded saves and loads back unchanged.
    for (const ImageFileFormat format : {ImageFileFormat::Pgm, ImageFileFormat::Png}) {
        const std::string output = ScratchPath(format == ImageFileFormat::Pgm ? ".pgm" : ".png");
        SaveImageFile(output.c_str(), *image, format);
        const auto again = LoadImageFile(output.c_str());
        if (again->Width != image->Width || again->Height != image->Height ||
            again->Data != image->Data)
            std::abort();
        std::remove(output.c_str());
    }
    std::remove(input.c_str());
    return 0;
}
