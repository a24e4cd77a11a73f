#include "support/Bitmaps.h"
#include "support/Files.h"

#include <vellum/imaging/Bitmap.h>
#include <vellum/imaging/io/ImageFile.h>
#include <vellum/imaging/io/ImageFormatException.h>
#include <vellum/platform/Exceptions.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vellum::test {
namespace {

using namespace std::string_literals;

// A fresh path in the temporary folder, named after the test; removed by the fixture.
class ImageFileTest : public ::testing::Test {
protected:
    ~ImageFileTest() override {
        for (const auto& path : m_paths)
            std::remove(path.c_str());
    }

    std::string TempPath(const std::string& name) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_paths.push_back(::testing::TempDir() + "vellum-imageio-" + info->name() + "-" + name);
        return m_paths.back();
    }

    std::string WriteTemp(const std::string& name, const std::string& bytes) {
        const std::string path = TempPath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::vector<std::string> m_paths;
};

// The what() of the exception E that loading or saving throws; fails the test when none is.
template <class E, class F> std::string MessageOf(F&& action) {
    try {
        action();
    } catch (const E& e) {
        return e.what();
    }
    ADD_FAILURE() << "no exception";
    return {};
}

// A loaded image: its size, depth and samples, no region, and the grey colour table.
void ExpectLoaded(const struct_LEAD_Bitmap& bitmap, int width, int height, int bits,
                  const std::vector<BYTE>& data) {
    EXPECT_EQ(bitmap.Width, width);
    EXPECT_EQ(bitmap.Height, height);
    EXPECT_EQ(bitmap.BitsPerPixel, bits);
    EXPECT_EQ(bitmap.Data, data);
    EXPECT_FALSE(bitmap.HasRegion);
    ASSERT_EQ(bitmap.Colors.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(bitmap.Colors[i].rgbRed, i);
        EXPECT_EQ(bitmap.Colors[i].rgbGreen, i);
        EXPECT_EQ(bitmap.Colors[i].rgbBlue, i);
        EXPECT_EQ(bitmap.Colors[i].rgbReserved, 0);
    }
}

// A PNG writer apart from the library's: zlib's CRCs and compression around any header and
// pixel layout.

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string chunk;
    Put32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk += type + data;
    const auto* bytes = reinterpret_cast<const Bytef*>(chunk.data() + 4);
    Put32(chunk, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(chunk.size() - 4))));
    return chunk;
}

std::string Zlib(const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    out.resize(size);
    return out;
}

struct PngSpec {
    std::uint32_t width;
    std::uint32_t height;
    int bitDepth;
    int colourType; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGB and alpha
    int interlace;
    std::string scanlines; // each with its filter byte
    std::string beforeData = {};
};

std::string BuildPng(const PngSpec& spec) {
    std::string header;
    Put32(header, spec.width);
    Put32(header, spec.height);
    header += static_cast<char>(spec.bitDepth);
    header += static_cast<char>(spec.colourType);
    header += '\0';
    header += '\0';
    header += static_cast<char>(spec.interlace);
    return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", header) + spec.beforeData +
           Chunk("IDAT", Zlib(spec.scanlines)) + Chunk("IEND", "");
}

TEST_F(ImageFileTest, PgmSavesTopRowFirstAndTwoByteSamplesBigEndian) {
    // Data row 0 is the image's bottom row; 16-bit samples are little-endian in the bitmap:
    // 0x0102, 0xFFFE bottom; 0x1234, 0x0000 top.
    const std::pair<struct_LEAD_Bitmap, std::string> cases[] = {
        {MakeBitmap(3, 2, 8, {4, 5, 6, 1, 2, 3}), "P5\n3 2\n255\n\x01\x02\x03\x04\x05\x06"s},
        {MakeBitmap(2, 2, 16, {0x02, 0x01, 0xFE, 0xFF, 0x34, 0x12, 0x00, 0x00}),
         "P5\n2 2\n65535\n\x12\x34\x00\x00\x01\x02\xFF\xFE"s},
    };
    for (const auto& [bitmap, bytes] : cases) {
        SCOPED_TRACE(bitmap.BitsPerPixel);
        const std::string path = TempPath(std::to_string(bitmap.BitsPerPixel) + ".pgm");
        SaveImageFile(path.c_str(), bitmap, ImageFileFormat::Pgm);
        EXPECT_EQ(ReadFileBytes(path), bytes);
        ExpectLoaded(*LoadImageFile(path.c_str()), bitmap.Width, 2, bitmap.BitsPerPixel,
                     bitmap.Data);
    }
}

TEST_F(ImageFileTest, PgmHeaderAndMaxvalDecideTheDepthAndSamplesKeepTheirValues) {
    struct Row {
        std::string bytes;
        int width, bits;
        std::vector<BYTE> data;
    };
    // Comments and any white space in the header; bytes after the pixels are ignored.
    const std::string commented = "P5# made by hand\n3\t# width\n#\r 1\r\n# maxval next\n200\n"
                                  "\x07\x08\xC8trailing";
    const Row rows[] = {
        {commented, 3, 8, {7, 8, 200}},
        {"P5 2 1 255\n\x00\xFF"s, 2, 8, {0, 255}},
        {"P5 2 1 256\n\x01\x00\x00\xFF"s, 2, 16, {0x00, 0x01, 0xFF, 0x00}},
        {"P5 1 1 65535\n\xAB\xCD", 1, 16, {0xCD, 0xAB}},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(index);
        const auto bitmap = LoadImageFile(WriteTemp(std::to_string(index++), row.bytes).c_str());
        ExpectLoaded(*bitmap, row.width, 1, row.bits, row.data);
    }
}

TEST_F(ImageFileTest, PngLoadsGreyOfEveryDepthTopRowLast) {
    struct Row {
        const char* name;
        PngSpec png;
        int bits;
        std::vector<BYTE> data;
    };
    const Row rows[] = {
        {"8 bits", {3, 2, 8, 0, 0, "\0\x01\x02\x03\0\x04\x05\x06"s}, 8, {4, 5, 6, 1, 2, 3}},
        // Two-byte samples become little-endian.
        {"16 bits",
         {2, 2, 16, 0, 0, "\0\x01\x02\xAB\xCD\0\xFF\xFE\x00\x07"s},
         16,
         {0xFE, 0xFF, 0x07, 0x00, 0x02, 0x01, 0xCD, 0xAB}},
        // Below 8 bits, levels stretch to the full range: 0, 1, 2, 3 packed in one byte; 1, 0, 1
        // in the top bits; 0xF and 0x1.
        {"2 bits", {4, 1, 2, 0, 0, "\0\x1B"s}, 8, {0, 85, 170, 255}},
        {"1 bit", {3, 1, 1, 0, 0, "\0\xA0"s}, 8, {255, 0, 255}},
        {"4 bits", {2, 1, 4, 0, 0, "\0\xF1"s}, 8, {255, 17}},
        // 2 x 2 in Adam7: pass 1 holds (0,0), pass 6 holds (0,1), pass 7 the second row.
        {"interlaced", {2, 2, 8, 0, 1, "\0\x0A\0\x0B\0\x0C\x0D"s}, 8, {0x0C, 0x0D, 0x0A, 0x0B}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto bitmap = LoadImageFile(WriteTemp(row.name, BuildPng(row.png)).c_str());
        ExpectLoaded(*bitmap, static_cast<int>(row.png.width), static_cast<int>(row.png.height),
                     row.bits, row.data);
    }
}

TEST_F(ImageFileTest, PngRoundTripsEightTwelveAndSixteenBits) {
    const std::pair<int, std::vector<BYTE>> cases[] = {
        {8, {10, 20, 30, 40, 50, 60}},
        {12, {0x34, 0x02, 0xFF, 0x0F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x08, 0xFE, 0x0F}},
        {16, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF, 0xFE, 0x00, 0x80, 0x7F, 0x00}},
    };
    for (const auto& [bits, data] : cases) {
        SCOPED_TRACE(bits);
        const auto bitmap = MakeBitmap(3, 2, bits, data);
        const std::string path = TempPath("round" + std::to_string(bits) + ".png");
        SaveImageFile(path.c_str(), bitmap, ImageFileFormat::Png);
        // Signature, then the header chunk: 3 x 2, 8 or 16 bits, grey, not interlaced.
        const int savedBits = bits == 8 ? 8 : 16;
        const std::string header = "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x03\0\0\0\x02"s +
                                   static_cast<char>(savedBits) + std::string(4, '\0');
        EXPECT_EQ(ReadFileBytes(path).substr(0, header.size()), header);
        ExpectLoaded(*LoadImageFile(path.c_str()), 3, 2, savedBits, data);
    }
}

TEST_F(ImageFileTest, MissingFileIsAFileException) {
    const std::string path = TempPath("missing.pgm");
    EXPECT_EQ(MessageOf<CFileException>([&] { LoadImageFile(path.c_str()); }),
              "No such file or directory (" + path + ")");
}

TEST_F(ImageFileTest, UnreadableFilesAreRefusedWithTheReason) {
    const std::string good = BuildPng({3, 2, 8, 0, 0, "\0\x01\x02\x03\0\x04\x05\x06"s});
    std::string badCrc = good;
    badCrc[29] = static_cast<char>(badCrc[29] ^ 1); // inside the header chunk's CRC
    const std::string palette = Chunk("PLTE", std::string("\0\0\0\xFF\xFF\xFF", 6));
    const std::pair<std::string, std::string> cases[] = {
        {"", "the file is empty"},
        {"P", "not a binary PGM (P5) or PNG image"},
        {"P2 2 1 255\n1 2\n", "not a binary PGM (P5) or PNG image"},
        {"\x89PNG\r\n\x1A", "not a binary PGM (P5) or PNG image"},
        // PGM
        {"P5", "the PGM header ends before the width"},
        {"P5 3 2 # no maxval\n", "the PGM header ends before the maxval"},
        {"P5 3 2 255", "the PGM header ends after the maxval"},
        {"P53 2 255\n", "no white space before the PGM width"},
        {"P5 3 2 255x", "no white space after the PGM maxval"},
        {"P5 x 2 255\n", "the PGM width is not a number"},
        {"P5 0 2 255\n", "the PGM image has no pixels (0 x 2)"},
        {"P5 3 2 0\n", "the PGM maxval is 0"},
        {"P5 3 2 65536\n", "the PGM maxval is larger than 65535"},
        {"P5 1000001 1 255\n",
         "the PGM image of 1000001 x 1 pixels is larger than 1000000 on a side"},
        {"P5 99999999999 1 255\n", "the PGM width is larger than 4294967295"},
        {"P5 3 2 255\n\x01\x02", "PGM pixel data needs 6 bytes but only 2 remain in the file"},
        {"P5 1000000 1000000 65535\n\x01\x02\x03\x04",
         "PGM pixel data needs 2000000000000 bytes but only 4 remain in the file"},
        {"P5 2 1 200\n\x05\xC9", "PGM sample value 201 is larger than the maxval 200"},
        // PNG kinds other than grey
        {BuildPng({1, 1, 8, 2, 0, "\0\x01\x02\x03"s}),
         "RGB PNG images are not supported, only grey ones"},
        {BuildPng({1, 1, 8, 6, 0, "\0\x01\x02\x03\x04"s}),
         "RGB with alpha PNG images are not supported, only grey ones"},
        {BuildPng({1, 1, 8, 4, 0, "\0\x01\x02"s}),
         "grey with alpha PNG images are not supported, only grey ones"},
        {BuildPng({1, 1, 8, 3, 0, "\0\x01"s, palette}),
         "palette PNG images are not supported, only grey ones"},
        // Damaged PNG
        {good.substr(0, good.size() - 20), "invalid PNG: the file is truncated"},
        {badCrc, "invalid PNG: IHDR: CRC error"},
        {BuildPng({0, 2, 8, 0, 0, "\0"s}), "the PNG image has no pixels (0 x 2)"},
        {BuildPng({2000000, 1, 8, 0, 0, "\0"s}),
         "the PNG image of 2000000 x 1 pixels is larger than 1000000 on a side"},
        // A header claiming a huge image over a few bytes of data: of the 68-byte file, 41 are
        // read up to the data chunk's type (signature 8, header chunk 25, length and type 8).
        {BuildPng({1000000, 1000000, 16, 0, 0, "\0\0\0"s}),
         "the PNG image of 1000000 x 1000000 pixels needs more data than the 27 bytes left in "
         "the file"},
        // Fewer rows in the data than the header claims.
        {BuildPng({2, 2, 8, 0, 0, "\0\x01\x02"s}), "invalid PNG: Not enough image data"},
    };
    int index = 0;
    for (const auto& [bytes, problem] : cases) {
        const auto path = WriteTemp("unreadable" + std::to_string(index++), bytes);
        EXPECT_EQ(MessageOf<CImageFormatException>([&] { LoadImageFile(path.c_str()); }),
                  path + ": " + problem);
    }
}

TEST_F(ImageFileTest, UnsavableBitmapsAreRefused) {
    const std::pair<struct_LEAD_Bitmap, std::string> cases[] = {
        {MakeBitmap(2, 1, 24, std::vector<BYTE>(6)),
         "cannot save a bitmap of 24 bits per pixel (only 8, 12 and 16)"},
        {MakeBitmap(0, 1, 8, {}), "cannot save an image of 0 x 1 pixels"},
        {MakeBitmap(2, -1, 8, {}), "cannot save an image of 2 x -1 pixels"},
        {MakeBitmap(2, 2, 16, std::vector<BYTE>(7)),
         "bitmap data holds 7 bytes but the image needs 8"},
    };
    for (const auto format : {ImageFileFormat::Pgm, ImageFileFormat::Png}) {
        int index = 0;
        for (const auto& entry : cases) {
            const std::string path = TempPath("unsavable" + std::to_string(index++));
            EXPECT_EQ(MessageOf<CImageFormatException>(
                          [&] { SaveImageFile(path.c_str(), entry.first, format); }),
                      path + ": " + entry.second);
            EXPECT_FALSE(std::filesystem::exists(path));
        }
    }
}

} // namespace
} // namespace vellum::test
