// vellum demo [-o DIR]: with no input at all, makes a sample grey image and a list of overlay
// items of every kind the library has, stores both, and draws the list over the image at
// zoom 1 and zoom 2 side by side.

#include "Commands.h"
#include "TypingUiHost.h"

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/density/GrDensityLine.h>
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

// A note in a frame, both turned by 20 degrees, and a value label: the text kinds. The text is
// typed into the text box's editor, as a user types it.
void AddTextItems(CGraphicItemList& list) {
    CVector topLeft(86, 95), bottomRight(196, 129);
    CVector centre(141, 112);
    const double angle = 20 * PI / 180;

    auto* frame = new CGraphicRect;
    frame->SetStart(&topLeft);
    frame->SetEnd(&bottomRight, 0);
    frame->Rotate(angle, &centre);
    frame->SetColor(RGB(255, 255, 255));
    frame->SetClass(CGraphicItem::classText);
    list.AddItem(frame->GetClass(), frame);

    auto* note = new CGraphicText;
    CVector inset(89, 97), insetEnd(193, 127);
    note->SetStart(&inset);
    note->SetEnd(&insetEnd, 0);
    note->Rotate(angle, &centre);
    note->SetFontSize(9);
    note->SetColor(RGB(255, 255, 160));
    note->SetClass(CGraphicItem::classText);
    TypingUiHost typist;
    CUiHostScope scope(typist);
    typist.QueueText("Propriet\xE0:\r\nperch\xE9 cresce?");
    note->Properties(nullptr, 0);
    list.AddItem(note->GetClass(), note);

    auto* label = new CGraphicTextLine;
    CVector anchor(20, 132);
    label->SetStart(&anchor);
    label->SetEnd(&anchor, 1);
    label->SetDoubleValue(12.345, 2, "mm");
    label->GetFont().SetColor(RGB(0, 255, 0));
    label->SetClass(CGraphicItem::classMeasure);
    list.AddItem(label->GetClass(), label);
}

// A rectangle from a to b, turned by degrees about its centre (counter-clockwise on screen).
void AddRectangle(CGraphicItemList& list, CVector a, CVector b, double degrees, COLORREF colour,
                  double width) {
    auto* rect = new CGraphicRect;
    rect->SetStart(&a);
    rect->SetEnd(&b, 0);
    rect->Rotate(degrees * PI / 180, nullptr);
    rect->SetColor(colour);
    rect->SetLineWidth(width);
    list.AddItem(rect->GetClass(), rect);
}

// A distance on the list's units, its label dragged clear of the lines.
void AddDistance(CGraphicItemList& list, std::vector<CVector> nodes, CVector labelOffset) {
    auto* distance = new CGrPolyDist(list.GetRegionalSettings());
    distance->SetStart(&nodes[0]);
    for (std::size_t i = 1; i < nodes.size(); ++i)
        distance->SetEnd(&nodes[i], 1);
    distance->Move(labelOffset.x, labelOffset.y, CGraphicItem::hitLabel);
    distance->SetClass(CGraphicItem::classMeasure);
    distance->SetColor(RGB(255, 255, 255));
    distance->GetLabel().GetFont().SetColor(RGB(255, 255, 255)); // the text's own colour
    list.AddItem(distance->GetClass(), distance);
}

void AddAngle(CGraphicItemList& list, std::vector<CVector> nodes) {
    auto* angle = new CGrAngle;
    angle->SetStart(&nodes[0]);
    for (std::size_t i = 1; i < nodes.size(); ++i)
        angle->SetEnd(&nodes[i], 1);
    angle->SetClass(CGraphicItem::classMeasure);
    angle->SetColor(RGB(255, 128, 255));
    angle->GetLabel().GetFont().SetColor(RGB(255, 128, 255));
    list.AddItem(angle->GetClass(), angle);
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

// One item of every kind: lines and polylines in several colours and widths (one polyline
// selected), a turned rectangle, a text box and a label, a freehand stroke, and on an image
// calibrated at 4 pixels per millimetre a distance, an angle and two symbols of the sample
// library.
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
    AddRectangle(*list, CVector(40, 45), CVector(90, 75), 20, RGB(255, 0, 255), 2);
    AddTextItems(*list);
    list->SetResolution(4.0, 4.0);
    list->SetCalibrated(1);
    AddDistance(*list, {CVector(20, 142), CVector(100, 142)}, CVector(-60, -18));
    AddAngle(*list, {CVector(60, 5), CVector(20, 45), CVector(20, 45), CVector(75, 45)});
    const auto library = SampleSymbolLibrary();
    PlaceSymbol(*list, *library, "Frecce", "Freccia", CVector(40, 80), RGB(255, 255, 255));
    PlaceSymbol(*list, *library, "Marcatori", "Lato L", CVector(178, 128), RGB(255, 255, 0));
    AddFreehand(*list);
    return list;
}

// A density line across the bright disc, its profile graph below the disc's middle: the
// curve steps up where the line enters the disc and down where it leaves.
void AddDensityLine(CGraphicItemList& list, struct_LEAD_Bitmap& image) {
    auto* line = new CGrDensityLine;
    CVector start(25, 62), end(178, 62);
    line->SetStart(&start);
    line->SetEnd(&end, 0);
    line->SetColor(RGB(255, 80, 255));
    line->SetClass(CGraphicItem::classDensity);
    line->Init(&image, 1); // the graph: a third of the image from the line's end
    line->Move(50 - end.x, 84 - end.y, CGraphicItem::hitWhole);
    line->GetProfile()->Move(34, 10, 3); // a little larger, for the scale numbers
    line->GetProfile()->SetScale(40, 140);
    line->Move(0, 0, CGraphicItem::hitWhole);
    list.AddItem(line->GetClass(), line);
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
    AddDensityLine(*list, *image);
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
    std::printf("  %s  its overlay: one item of every kind, stored as an item list\n",
                listPath.c_str());
    std::printf("  %s  the overlay drawn over the image at zoom 1 and 2, one polyline selected,\n"
                "      the density line's profile graph showing the grey levels along it\n",
                picturePath.c_str());
    std::printf("Next: vellum info %s\n", listPath.c_str());
    return 0;
}

} // namespace vellum::tool
