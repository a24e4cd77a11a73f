// DICOM samples land brighter-is-higher whatever the signedness, photometric interpretation,
// bit layout or transfer syntax; the pixel spacing becomes pixels per millimetre.

#include "support/DicomWriter.h"

#include <vellum/imaging/io/ImageFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vellum::test {
namespace {

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vellum-dicom-" + name)).string();
}

// The bitmap's samples, top row first.
std::vector<unsigned> TopFirst(const struct_LEAD_Bitmap& bitmap) {
    std::vector<unsigned> samples;
    for (int y = bitmap.Height - 1; y >= 0; --y)
        for (int x = 0; x < bitmap.Width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * bitmap.BytesPerLine() +
                                   static_cast<std::size_t>(x) * bitmap.BytesPerSample();
            samples.push_back(bitmap.BytesPerSample() == 1
                                  ? bitmap.Data[at]
                                  : bitmap.Data[at] | bitmap.Data[at + 1] << 8);
        }
    return samples;
}

TEST(DicomFile, SamplesLayoutsAndSpacing) {
    struct Row {
        const char* name;
        DicomImage image;
        int bitmapBits;
        std::vector<unsigned> expected;
        std::vector<long> stored;
        long minimum, maximum;
        double xPerMm, yPerMm; // 0: no spacing
        double slope = 1.0, intercept = 0.0;
    };
    DicomImage plain;
    plain.samples = {0, 1000, 65535, 7};
    plain.pixelSpacing = "0.25\\0.2"; // between rows, between columns
    DicomImage bigEndian = plain;
    bigEndian.syntax = EXS_BigEndianExplicit;
    DicomImage rle = plain;
    rle.syntax = EXS_RLELossless;
    DicomImage jpeg = plain;
    jpeg.syntax = EXS_JPEGProcess14SV1;
    DicomImage signed12;
    signed12.bitsStored = 12;
    signed12.highBit = 11;
    signed12.isSigned = true;
    signed12.samples = {0x0FFF, 0x0800, 0x07FF, 0x0005}; // -1, -2048, 2047, 5
    signed12.imagerPixelSpacing = "0.1\\0.1";
    DicomImage inverted8;
    inverted8.bitsAllocated = 8;
    inverted8.bitsStored = 8;
    inverted8.highBit = 7;
    inverted8.photometric = "MONOCHROME1";
    inverted8.samples = {0, 200, 255, 1};
    DicomImage shifted;
    shifted.bitsStored = 10;
    shifted.highBit = 11; // values sit in bits 2 to 11; the rest is other data
    shifted.samples = {0xFFFF, 0x0004, 0x1003, 0x0800};
    DicomImage mono1; // inverted over 12 bits, and rescaled
    mono1.photometric = "MONOCHROME1";
    mono1.bitsStored = 12;
    mono1.highBit = 11;
    mono1.samples = {0, 4095, 100, 200};
    mono1.rescaleSlope = "2";
    mono1.rescaleIntercept = "-1024";
    const std::vector<unsigned> same = {0, 1000, 65535, 7};
    const std::vector<long> stored = {0, 1000, 65535, 7};
    const std::vector<long> signedStored = {-1, -2048, 2047, 5};
    const Row rows[] = {
        {"plain", plain, 16, same, stored, 0, 65535, 5.0, 4.0},
        {"big-endian", bigEndian, 16, same, stored, 0, 65535, 5.0, 4.0},
        {"rle", rle, 16, same, stored, 0, 65535, 5.0, 4.0},
        {"jpeg-lossless", jpeg, 16, same, stored, 0, 65535, 5.0, 4.0},
        {"signed12", signed12, 12, {2047, 0, 4095, 2053}, signedStored, -2048, 2047, 10, 10},
        {"inverted8", inverted8, 8, {255, 55, 0, 254}, {0, 200, 255, 1}, 0, 255, 0.0, 0.0},
        {"shifted", shifted, 12, {1023, 1, 0, 512}, {1023, 1, 0, 512}, 0, 1023, 0.0, 0.0},
        {"mono1", mono1, 12, {4095, 0, 3995, 3895}, {0, 4095, 100, 200}, 0, 4095, 0, 0, 2, -1024},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = TempPath(std::string(row.name) + ".dcm");
        ASSERT_TRUE(WriteDicom(path, row.image));
        CImageFileInfo info;
        const auto bitmap = LoadImageFile(path.c_str(), &info);
        EXPECT_EQ(info.format, "DICOM");
        EXPECT_EQ(info.photometric, row.image.photometric.c_str());
        EXPECT_EQ(info.inverted, row.image.photometric == "MONOCHROME1");
        EXPECT_EQ(info.rescaleSlope, row.slope);
        EXPECT_EQ(info.rescaleIntercept, row.intercept);
        EXPECT_EQ(bitmap->Width, 2);
        EXPECT_EQ(bitmap->Height, 2);
        EXPECT_EQ(bitmap->BitsPerPixel, row.bitmapBits);
        EXPECT_EQ(TopFirst(*bitmap), row.expected);
        EXPECT_EQ(info.minimum, row.minimum);
        EXPECT_EQ(info.maximum, row.maximum);
        EXPECT_EQ(info.hasSpacing, row.xPerMm > 0.0);
        EXPECT_DOUBLE_EQ(info.pixelsPerMmX, row.xPerMm);
        EXPECT_DOUBLE_EQ(info.pixelsPerMmY, row.yPerMm);
        for (std::size_t i = 0; i < row.expected.size(); ++i)
            EXPECT_EQ(info.StoredValue(row.expected[i]), row.stored[i]) << i;
        std::filesystem::remove(path);
    }
}

TEST(DicomFile, BadFilesNameTheirCause) {
    DicomImage colour;
    colour.photometric = "RGB";
    colour.samplesPerPixel = 3;
    colour.samples.assign(12, 0);
    DicomImage noPixels;
    noPixels.withPixelData = false;
    DicomImage absurd;
    absurd.width = 65535;
    absurd.height = 65535;
    absurd.samples = {1, 2, 3, 4};
    DicomImage jpeg2000;
    jpeg2000.jpeg2000 = true;
    DicomImage shortData;
    shortData.width = 3;
    shortData.samples = {1, 2, 3, 4};
    const std::pair<DicomImage, std::string> rows[] = {
        {colour, "a DICOM image in RGB colour with 3 samples per pixel"},
        {noPixels, "the DICOM file has no pixel data"},
        {absurd, "the DICOM image of 65535 x 65535 pixels is too large to show"},
        {jpeg2000, "cannot be decoded here"},
        {shortData, "the DICOM pixel data holds 4 samples, the image needs 6"},
    };
    for (const auto& [image, cause] : rows) {
        SCOPED_TRACE(cause);
        const std::string path = TempPath("bad.dcm");
        ASSERT_TRUE(WriteDicom(path, image));
        try {
            LoadImageFile(path.c_str());
            ADD_FAILURE() << "loaded";
        } catch (const CImageFormatException& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            EXPECT_NE(e.m_strProblem.find(cause), std::string::npos) << e.m_strProblem;
        }
        std::filesystem::remove(path);
    }
}

} // namespace
} // namespace vellum::test
