// vellum demo [-o DIR]: with no input at all, makes a sample grey image and a list of overlay
// items of every kind the library has, stores both, and draws the list over the image at
// zoom 1 and zoom 2 side by side.

#include "Commands.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/imaging/io/ImageFile.h>
#include <vellum/platform/Exceptions.h>

#include <cstdio>
#include <filesystem>

namespace vellum::tool {

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kMargin = 10;
constexpr BYTE kCanvasGrey = 96;

// A radiograph-like sample: a soft vertical gradient with a brighter disc.
std::unique_ptr<struct_LEAD_Bitmap> SampleImage() {
    auto bitmap = std::make_unique<struct_LEAD_Bitmap>();
    bitmap->Width = kWidth;
    bitmap->Height = kHeight;
    bitmap->BitsPerPixel = 8;
    bitmap->Data.resize(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = x - 100.0, dy = y - 80.0;
            int grey = 40 + y * 60 / kHeight;
            if (dx * dx + dy * dy < 55.0 * 55.0)
                grey += 50;
            // The toolkit counts rows from the bottom.
            bitmap->Data[static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x] =
                static_cast<BYTE>(grey);
        }
    }
    for (int i = 0; i < 256; ++i)
        bitmap->Colors.push_back(
            RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    return bitmap;
}

void AddLine(CGraphicItemList& list, CVector a, CVector b, COLORREF colour, double width) {
    auto* line = new CGraphicLine;
    line->SetStart(&a);
    line->SetEnd(&b, 0);
    line->SetColor(colour);
    line->SetLineWidth(width);
    list.AddItem(line->GetClass(), line);
}

CGrPolyLine* AddPolyline(CGraphicItemList& list, std::vector<CVector> nodes, COLORREF colour,
                         double width) {
    auto* poly = new CGrPolyLine;
    poly->SetStart(&nodes[0]);
    for (std::size_t i = 1; i < nodes.size(); ++i)
        poly->SetEnd(&nodes[i], 1);
    poly->SetColor(colour);
    poly->SetLineWidth(width);
    list.AddItem(poly->GetClass(), poly);
    return poly;
}

// A symbol of the sample library centred at a point, at its size in millimetres.
void PlaceSymbol(CGraphicItemList& list, CGraphicItemList& library, const char* group,
                 const char* name, CVector at, COLORREF colour) {
    CGraphicSymbol* symbol = library.GetSymbol(group, name);
    if (!symbol)
        throw CommandError(std::string("the sample library has no symbol ") + name);
    symbol->SetClass(CGraphicItem::classSymbol);
    symbol->SetColor(colour);
    list.AddItem(symbol->GetClass(), symbol);
    symbol->SetStart(&at);
    symbol->SetEnd(&at, 0);
}

// A freehand stroke round the bright disc, with its label.
void AddFreehand(CGraphicItemList& list) {
    auto* stroke = new CGraphicFreeDraw;
    CVector start(62, 52);
    stroke->SetStart(&start);
    for (CVector p : {CVector(75, 38), CVector(96, 30), CVector(118, 33), CVector(138, 44),
                      CVector(150, 60), CVector(154, 78), CVector(148, 98), CVector(140, 112)})
        stroke->SetEnd(&p, 1);
    stroke->SetColor(RGB(255, 120, 255));
    stroke->SetLineWidth(2);
    stroke->GetLabel().SetText("Nota");
    stroke->GetLabel().Move(-30, 2, -1);
    list.AddItem(stroke->GetClass(), stroke);
}

// Lines and polylines in several colours and widths, one of them selected, two symbols of the
// sample library (on an image of 4 pixels per millimetre) and a freehand stroke.
std::unique_ptr<CGraphicItemList> SampleList() {
    auto list = std::make_unique<CGraphicItemList>();
    list->SetResolution(4.0, 4.0);
    list->SetCalibrated(1);
    AddLine(*list, CVector(15, 20), CVector(185, 20), RGB(0, 255, 0), 1);
    AddLine(*list, CVector(15, 35), CVector(110, 130), RGB(255, 64, 64), 3);
    AddLine(*list, CVector(185, 35), CVector(130, 135), RGB(255, 255, 0), 2);
    AddPolyline(
        *list,
        {CVector(30, 120), CVector(60, 70), CVector(95, 95), CVector(140, 50), CVector(175, 80)},
        RGB(0, 200, 255), 2)
        ->SetFocus(-1);
    AddPolyline(*list, {CVector(120, 130), CVector(150, 110), CVector(185, 130)}, RGB(255, 160, 0),
                1);
    const auto library = SampleSymbolLibrary();
    PlaceSymbol(*list, *library, "Frecce", "Freccia", CVector(40, 80), RGB(255, 255, 255));
    PlaceSymbol(*list, *library, "Marcatori", "Lato L", CVector(178, 128), RGB(255, 255, 0));
    AddFreehand(*list);
    return list;
}

} // namespace

int RunDemo(const Args& args) {
    std::filesystem::path dir = "vellum-demo";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            dir = args[++i];
        else
            throw CommandError("unexpected argument '" + args[i] + "'");
    }
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        throw CommandError(dir.string() + ": " + error.message());

    const auto image = SampleImage();
    const auto list = SampleList();
    const std::string imagePath = (dir / "sample.png").string();
    const std::string listPath = (dir / "demo.vla").string();
    const std::string picturePath = (dir / "demo.png").string();
    try {
        SaveImageFile(imagePath.c_str(), *image, ImageFileFormat::Png);

        // The image at zoom 1 beside the image at zoom 2, on one canvas.
        const int canvasWidth = kMargin * 3 + kWidth * 3;
        const int canvasHeight = kMargin * 2 + kHeight * 2;
        auto dc = CCairoDC::CreateImage(canvasWidth, canvasHeight,
                                        RGB(kCanvasGrey, kCanvasGrey, kCanvasGrey));
        DrawScene(*dc, image.get(), *list, 1.0, POINT{kMargin, kMargin});
        DrawScene(*dc, image.get(), *list, 2.0, POINT{kMargin * 2 + kWidth, kMargin});
        dc->WritePng(picturePath.c_str());
        // Stored after drawing, which placed the symbols' frames.
        WriteListFile(list.get(), listPath);
    } catch (const CException& e) {
        throw CommandError(e.what());
    }

    std::printf("Vellum %s: vector overlays for radiography images.\n", VELLUM_VERSION);
    std::printf("  %s  a sample grey image, %d x %d\n", imagePath.c_str(), kWidth, kHeight);
    std::printf("  %s  its overlay: lines, polylines, two symbols and a freehand stroke, stored\n"
                "      as an item list\n",
                listPath.c_str());
    std::printf("  %s  the overlay drawn over the image at zoom 1 and 2, one polyline selected\n",
                picturePath.c_str());
    std::printf("Next: vellum info %s\n", listPath.c_str());
    return 0;
}

} // namespace vellum::tool
