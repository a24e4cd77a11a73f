// DICOM grey images through DCMTK: the first frame of a MONOCHROME1 or MONOCHROME2 image,
// decompressed by DCMTK's own decoders when its transfer syntax is compressed.

#include <vellum/imaging/io/ImageCodecs.h>

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcrledrg.h>
#include <dcmtk/dcmdata/dcxfer.h>
#include <dcmtk/dcmjpeg/djdecode.h>
#include <dcmtk/oflog/oflog.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace vellum::imageio {

namespace {

// Decompressed pixel data larger than this is refused before DCMTK allocates it.
constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{1} << 30;

// DCMTK's decoders, registered once for the life of the process and released at its end.
struct Decoders {
    Decoders() {
        // Problems reach the user as exceptions; DCMTK's own log would repeat them on stderr.
        OFLog::configure(OFLogger::FATAL_LOG_LEVEL);
        DcmRLEDecoderRegistration::registerCodecs();
        DJDecoderRegistration::registerCodecs();
    }
    ~Decoders() {
        DJDecoderRegistration::cleanup();
        DcmRLEDecoderRegistration::cleanup();
    }
};

Uint16 RequiredUint16(DcmDataset& data, const DcmTagKey& tag, const char* path, const char* name) {
    Uint16 value = 0;
    if (data.findAndGetUint16(tag, value).bad())
        ThrowFormat(path, std::string("the DICOM file has no ") + name);
    return value;
}

// Pixels per millimetre from a spacing in millimetres between centres; 0 when unusable.
double PerMillimetre(Float64 spacing) {
    return spacing > 0.0 && std::isfinite(spacing) ? 1.0 / spacing : 0.0;
}

void ReadSpacing(DcmDataset& data, CImageFileInfo& info) {
    for (const DcmTagKey& tag : {DCM_PixelSpacing, DCM_ImagerPixelSpacing}) {
        Float64 between_rows = 0.0;
        Float64 between_columns = 0.0;
        if (data.findAndGetFloat64(tag, between_rows, 0).bad() ||
            data.findAndGetFloat64(tag, between_columns, 1).bad())
            continue;
        const double x = PerMillimetre(between_columns);
        const double y = PerMillimetre(between_rows);
        if (x > 0.0 && y > 0.0) {
            info.hasSpacing = true;
            info.pixelsPerMmX = x;
            info.pixelsPerMmY = y;
            return;
        }
    }
}

} // namespace

std::unique_ptr<struct_LEAD_Bitmap> LoadDicom(const char* path, CImageFileInfo& info) {
    static Decoders decoders;
    DcmFileFormat file;
    if (const OFCondition status = file.loadFile(path); status.bad())
        ThrowFormat(path, std::string("not a readable DICOM file (") + status.text() + ")");
    DcmDataset& data = *file.getDataset();
    info.format = "DICOM";

    OFString photometric;
    data.findAndGetOFString(DCM_PhotometricInterpretation, photometric);
    Uint16 samplesPerPixel = 1;
    data.findAndGetUint16(DCM_SamplesPerPixel, samplesPerPixel);
    if (samplesPerPixel != 1 || (photometric != "MONOCHROME1" && photometric != "MONOCHROME2"))
        ThrowFormat(path, "a DICOM image in " +
                              std::string(photometric.empty() ? "no" : photometric.c_str()) +
                              " colour with " + std::to_string(samplesPerPixel) +
                              " samples per pixel; only MONOCHROME1 and MONOCHROME2 grey "
                              "images are shown");
    info.photometric = photometric.c_str();

    if (!data.tagExists(DCM_PixelData))
        ThrowFormat(path, "the DICOM file has no pixel data");
    const Uint16 rows = RequiredUint16(data, DCM_Rows, path, "Rows");
    const Uint16 columns = RequiredUint16(data, DCM_Columns, path, "Columns");
    const Uint16 allocated = RequiredUint16(data, DCM_BitsAllocated, path, "Bits Allocated");
    const Uint16 stored = RequiredUint16(data, DCM_BitsStored, path, "Bits Stored");
    Uint16 highBit = static_cast<Uint16>(stored - 1);
    data.findAndGetUint16(DCM_HighBit, highBit);
    Uint16 representation = 0;
    data.findAndGetUint16(DCM_PixelRepresentation, representation);
    CheckDimensions(path, "DICOM", columns, rows);
    if ((allocated != 8 && allocated != 16) || stored < 1 || stored > allocated ||
        highBit >= allocated || highBit + 1 < stored)
        ThrowFormat(path, "DICOM samples of " + std::to_string(stored) + " bits stored in " +
                              std::to_string(allocated) + " (high bit " + std::to_string(highBit) +
                              ") are not supported");
    Sint32 frames = 1;
    if (data.findAndGetSint32(DCM_NumberOfFrames, frames).bad() || frames < 1)
        frames = 1;
    const std::uint64_t bytes =
        std::uint64_t{rows} * columns * (allocated / 8) * static_cast<std::uint64_t>(frames);
    if (bytes > kMaxPixelBytes)
        ThrowFormat(path, "the DICOM image of " + std::to_string(columns) + " x " +
                              std::to_string(rows) + " pixels" +
                              (frames > 1 ? " in " + std::to_string(frames) + " frames" : "") +
                              " is too large to show");

    const DcmXfer syntax(data.getOriginalXfer());
    if (data.chooseRepresentation(EXS_LittleEndianExplicit, nullptr).bad() ||
        !data.canWriteXfer(EXS_LittleEndianExplicit))
        ThrowFormat(path, std::string("the DICOM transfer syntax ") + syntax.getXferName() +
                              " cannot be decoded here");

    const std::size_t count = std::size_t{rows} * columns;
    const Uint8* bytes8 = nullptr;
    const Uint16* words = nullptr;
    unsigned long available = 0;
    const OFCondition got = allocated == 8
                                ? data.findAndGetUint8Array(DCM_PixelData, bytes8, &available)
                                : data.findAndGetUint16Array(DCM_PixelData, words, &available);
    if (got.bad() || (bytes8 == nullptr && words == nullptr))
        ThrowFormat(path, "the DICOM pixel data cannot be read");
    if (available < count)
        ThrowFormat(path, "the DICOM pixel data holds " + std::to_string(available) +
                              " samples, the image needs " + std::to_string(count));

    info.bitsStored = stored;
    info.isSigned = representation == 1;
    info.sampleOffset = info.isSigned ? 1L << (stored - 1) : 0;
    info.inverted = photometric == "MONOCHROME1";
    Float64 slope = 1.0;
    Float64 intercept = 0.0;
    if (data.findAndGetFloat64(DCM_RescaleSlope, slope).good() && std::isfinite(slope))
        info.rescaleSlope = slope;
    if (data.findAndGetFloat64(DCM_RescaleIntercept, intercept).good() && std::isfinite(intercept))
        info.rescaleIntercept = intercept;
    ReadSpacing(data, info);

    auto bitmap = MakeGreyBitmap(columns, rows, stored <= 8 ? 8 : stored <= 12 ? 12 : 16);
    const unsigned shift = highBit + 1u - stored;
    const long mask = (1L << stored) - 1;
    const long signBit = 1L << (stored - 1);
    long lowest = mask;
    long highest = -mask - 1;
    const bool wide = bitmap->BytesPerSample() == 2;
    for (std::size_t i = 0; i < count; ++i) {
        const long raw = (bytes8 ? bytes8[i] : words[i]) >> shift & mask;
        const long value = info.isSigned && (raw & signBit) ? raw - (mask + 1) : raw;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        long sample = value + info.sampleOffset;
        if (info.inverted)
            sample = mask - sample;
        // The file's first row is the image's top row; the toolkit counts rows from the bottom.
        const std::size_t row = rows - 1 - i / columns;
        const std::size_t at = row * columns + i % columns;
        if (wide) {
            bitmap->Data[2 * at] = static_cast<BYTE>(sample & 0xFF);
            bitmap->Data[2 * at + 1] = static_cast<BYTE>(sample >> 8);
        } else {
            bitmap->Data[at] = static_cast<BYTE>(sample);
        }
    }
    info.minimum = lowest;
    info.maximum = highest;
    return bitmap;
}

} // namespace vellum::imageio
