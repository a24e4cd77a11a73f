// vellum render FILE [--image IMG] [--zoom Z] [--types MASK] -o OUT.png|.pdf|.svg: draws a
// stored item list, over an image when one is given, as the window draws it in a paint.

#include "Commands.h"

#include <vellum/platform/Exceptions.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace vellum::tool {

namespace {

constexpr int kMargin = 10;
constexpr COLORREF kBackground = RGB(48, 48, 48);
constexpr double kMaxZoom = 64.0;

enum class Output { png, pdf, svg };

Output OutputKind(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".png")
        return Output::png;
    if (extension == ".pdf")
        return Output::pdf;
    if (extension == ".svg")
        return Output::svg;
    throw CommandError(path + ": the output must end in .png, .pdf or .svg");
}

WORD ParseMask(const std::string& text) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || value > 0xFFFF)
        throw CommandError("--types needs a mask from 0 to 0xFFFF, not '" + text + "'");
    return static_cast<WORD>(value);
}

// Without an image, the picture covers the items with a margin.
CRect ItemsBounds(CGraphicItemList& list) {
    CRect bounds(0, 0, 1, 1);
    for (POSITION pos = list.GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        list.GetNextAssoc(pos, key, group);
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION at = items->GetHeadPosition(); at;) {
            const CRect itemBounds =
                static_cast<CGraphicItem*>(items->GetNext(at))->GetBoundsRect(1);
            bounds.UnionRect(&bounds, &itemBounds);
        }
    }
    return bounds;
}

} // namespace

int RunRender(const Args& args) {
    std::string listPath, imagePath, outPath;
    double zoom = 1.0;
    std::optional<WORD> mask;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return OptionValue(args, i); };
        if (arg == "--image")
            imagePath = value();
        else if (arg == "--zoom")
            zoom = ParseNumber(value(), "--zoom");
        else if (arg == "--types")
            mask = ParseMask(value());
        else if (arg == "-o")
            outPath = value();
        else if (listPath.empty() && !arg.starts_with("-"))
            listPath = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (listPath.empty() || outPath.empty())
        throw CommandError("usage: vellum render FILE [--image IMG] [--zoom Z] [--types MASK] "
                           "-o OUT.png|.pdf|.svg");
    if (!(zoom > 0.0 && zoom <= kMaxZoom))
        throw CommandError("--zoom must be above 0 and at most 64");
    const Output kind = OutputKind(outPath);

    // Everything is read and checked before anything is written.
    const auto list = LoadList(listPath);
    const auto image = imagePath.empty() ? nullptr : LoadImage(imagePath);
    // A loaded list shows only some classes until its host picks them; the tool shows all
    // unless told otherwise.
    list->SetTypesToDraw(mask.value_or(0xFFFF));
    // Density items gather from the image, as a viewer's SetBitmap makes them do.
    if (image)
        list->BitmapForItems(image.get());

    CRect area = image ? CRect(0, 0, image->Width, image->Height) : ItemsBounds(*list);
    const double width = std::ceil(area.Width() * zoom) + (image ? 0 : 2 * kMargin);
    const double height = std::ceil(area.Height() * zoom) + (image ? 0 : 2 * kMargin);
    if (width > 32767 || height > 32767)
        throw CommandError("the picture would be larger than 32767 pixels; lower --zoom");
    const POINT origin{TruncateToLong(-area.left * zoom) + (image ? 0 : kMargin),
                       TruncateToLong(-area.top * zoom) + (image ? 0 : kMargin)};

    try {
        std::unique_ptr<CCairoDC> dc;
        if (kind == Output::png)
            dc = CCairoDC::CreateImage(static_cast<int>(width), static_cast<int>(height),
                                       kBackground);
        else if (kind == Output::pdf)
            dc = CCairoDC::CreatePdf(outPath.c_str(), width, height);
        else
            dc = CCairoDC::CreateSvg(outPath.c_str(), width, height);
        if (!dc->IsImage())
            dc->FillSolidRect(0, 0, static_cast<int>(width), static_cast<int>(height), kBackground);
        DrawScene(*dc, image.get(), *list, zoom, origin);
        if (kind == Output::png)
            dc->WritePng(outPath.c_str());
        else
            dc->Finish();
    } catch (const CException& e) {
        std::error_code ignored;
        std::filesystem::remove(outPath, ignored);
        throw CommandError(outPath + ": " + e.what());
    }
    std::printf("%s\n", outPath.c_str());
    return 0;
}

} // namespace vellum::tool
