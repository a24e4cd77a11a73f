// vellum gamma IMAGE [--p 0.5] [--window [--low-cut A --high-cut B]] -o OUT.pgm|.png: finds the
// gamma that brings the image's mean grey level to the brightness p asks for, applies the
// look-up tables and writes the corrected image.

#include "Commands.h"

#include <vellum/gamma/GammaLut.h>
#include <vellum/imaging/io/ImageFile.h>
#include <vellum/platform/Exceptions.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace vellum::tool {

namespace {

struct Options {
    std::string input;
    std::string output;
    double p = 0.5;
    double lowerFraction = 0.0;
    bool window = false;
    std::optional<double> lowCut;
    std::optional<double> highCut;
};

Options ParseOptions(const Args& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--p")
            options.p = ParseNumber(value(), "--p");
        else if (arg == "--lower-fraction")
            options.lowerFraction = ParseNumber(value(), "--lower-fraction");
        else if (arg == "--window")
            options.window = true;
        else if (arg == "--low-cut")
            options.lowCut = ParseNumber(value(), "--low-cut");
        else if (arg == "--high-cut")
            options.highCut = ParseNumber(value(), "--high-cut");
        else if (arg == "-o")
            options.output = value();
        else if (options.input.empty() && !arg.starts_with("-"))
            options.input = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (options.input.empty() || options.output.empty())
        throw CommandError("usage: vellum gamma IMAGE [--p 0.5] [--lower-fraction F] [--window "
                           "[--low-cut A --high-cut B]] -o OUT.pgm|.png");
    if (!(options.p >= 0.0 && options.p <= 1.0))
        throw CommandError("--p must be between 0 and 1");
    if (!(options.lowerFraction >= 0.0 && options.lowerFraction <= 1.0))
        throw CommandError("--lower-fraction must be between 0 and 1");
    if ((options.lowCut || options.highCut) && !options.window)
        throw CommandError("--low-cut and --high-cut need --window");
    const double low = options.lowCut.value_or(0.0);
    const double high = options.highCut.value_or(0.0);
    if (!(low >= 0.0 && high >= 0.0 && low + high < 1.0))
        throw CommandError("the cuts must be at least 0 and add up to less than 1");
    return options;
}

ImageFileFormat OutputFormat(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".pgm")
        return ImageFileFormat::Pgm;
    if (extension == ".png")
        return ImageFileFormat::Png;
    throw CommandError(path + ": the output must end in .pgm or .png");
}

struct Result {
    double gamma = 1.0;
    WORD lower = 0;
    WORD width = 0;
    double meanBefore = 0.0;
    double meanAfter = 0.0;
};

double MeanOf(const std::vector<DWORD>& histogram) {
    double sum = 0.0, count = 0.0;
    for (std::size_t i = 0; i < histogram.size(); ++i) {
        sum += static_cast<double>(i) * histogram[i];
        count += histogram[i];
    }
    return count > 0 ? sum / count : 0.0;
}

// Runs the search on the image's histogram and replaces its samples by the corrected ones:
// 8-bit samples after the window step, the sample depth without it.
template <class T> Result Correct(struct_LEAD_Bitmap& image, const Options& options) {
    const auto maxValue = static_cast<T>((1u << (image.BitsPerPixel > 8 ? 16 : 8)) - 1);
    const std::size_t count = static_cast<std::size_t>(image.Width) * image.Height;
    std::vector<T> samples(count);
    std::memcpy(samples.data(), image.Data.data(), count * sizeof(T));
    std::vector<DWORD> histogram(static_cast<std::size_t>(maxValue) + 1);
    for (T sample : samples)
        ++histogram[sample];

    Result result;
    result.meanBefore = MeanOf(histogram);
    CGammaLut<T> lut(maxValue, histogram.data(), options.lowerFraction);
    if (options.window)
        lut.CalculateOptimalGamma(options.p, result.gamma, result.lower, result.width,
                                  options.lowCut.value_or(0.0), options.highCut.value_or(0.0),
                                  nullptr);
    else
        lut.CalculateOptimalGamma(options.p, result.gamma, result.lower, result.width);

    std::vector<DWORD> after;
    if (options.window) {
        std::vector<BYTE> corrected(count);
        lut.ApplyGammaLut(static_cast<DWORD>(count), samples.data(), corrected.data());
        image.BitsPerPixel = 8;
        image.Data.assign(corrected.begin(), corrected.end());
        after.assign(256, 0);
        for (BYTE value : corrected)
            ++after[value];
    } else {
        std::vector<WORD> corrected(count);
        lut.ApplyGammaLut(static_cast<DWORD>(count), samples.data(), corrected.data());
        after.assign(histogram.size(), 0);
        for (std::size_t i = 0; i < count; ++i) {
            samples[i] = static_cast<T>(corrected[i]);
            ++after[samples[i]];
        }
        std::memcpy(image.Data.data(), samples.data(), count * sizeof(T));
    }
    result.meanAfter = MeanOf(after);
    return result;
}

} // namespace

int RunGamma(const Args& args) {
    const Options options = ParseOptions(args);
    const ImageFileFormat format = OutputFormat(options.output);
    const auto image = LoadImage(options.input);
    const Result result = image->BitsPerPixel > 8 ? Correct<unsigned short>(*image, options)
                                                  : Correct<unsigned char>(*image, options);
    try {
        SaveImageFile(options.output.c_str(), *image, format);
    } catch (const CException& e) {
        throw CommandError(options.output + ": " + e.what());
    }
    std::printf("gamma %.6f\n", result.gamma);
    std::printf("window lower %u width %u\n", result.lower, result.width);
    std::printf("mean before %.3f after %.3f\n", result.meanBefore, result.meanAfter);
    std::printf("wrote %s\n", options.output.c_str());
    return 0;
}

} // namespace vellum::tool
