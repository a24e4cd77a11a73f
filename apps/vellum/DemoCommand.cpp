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

constexpr int kWidth = 400;
constexpr int kHeight = 300;
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
            const double dx = x - 200.0, dy = y - 160.0;
            int grey = 40 + y * 60 / kHeight;
            if (dx * dx + dy * dy < 100.0 * 100.0)
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

// A note in a frame, both turned by 10 degrees, and a value label: the text kinds. The text is
// typed into the text box's editor, as a user types it.
void AddTextItems(CGraphicItemList& list) {
    CVector topLeft(228, 240), bottomRight(382, 284);
    CVector centre(305, 262);
    const double angle = 10 * PI / 180;

    auto* frame = new CGraphicRect;
    frame->SetStart(&topLeft);
    frame->SetEnd(&bottomRight, 0);
    frame->Rotate(angle, &centre);
    frame->SetColor(RGB(255, 255, 255));
    frame->SetClass(CGraphicItem::classText);
    list.AddItem(frame->GetClass(), frame);

    auto* note = new CGraphicText;
    CVector inset(232, 243), insetEnd(378, 281);
    note->SetStart(&inset);
    note->SetEnd(&insetEnd, 0);
    note->Rotate(angle, &centre);
    note->SetFontSize(11);
    note->SetColor(RGB(255, 255, 160));
    note->SetClass(CGraphicItem::classText);
    TypingUiHost typist;
    CUiHostScope scope(typist);
    typist.QueueText("Propriet\xE0:\r\nperch\xE9 cresce?");
    note->Properties(nullptr, 0);
    list.AddItem(note->GetClass(), note);

    auto* label = new CGraphicTextLine;
    CVector anchor(20, 12);
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

// A freehand stroke along the top of the bright disc, with its label.
void AddFreehand(CGraphicItemList& list) {
    auto* stroke = new CGraphicFreeDraw;
    CVector start(122, 98);
    stroke->SetStart(&start);
    for (CVector p : {CVector(142, 80), CVector(170, 66), CVector(205, 62), CVector(238, 70),
                      CVector(262, 84), CVector(280, 104)})
        stroke->SetEnd(&p, 1);
    stroke->SetColor(RGB(255, 120, 255));
    stroke->SetLineWidth(2);
    stroke->GetLabel().SetText("Nota");
    stroke->GetLabel().GetFont().SetColor(RGB(255, 120, 255));
    stroke->GetLabel().Move(-10, -42, -1);
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
    AddLine(*list, CVector(20, 45), CVector(260, 45), RGB(0, 255, 0), 1);
    AddLine(*list, CVector(20, 150), CVector(80, 215), RGB(255, 64, 64), 3);
    AddLine(*list, CVector(390, 70), CVector(340, 135), RGB(255, 255, 0), 2);
    AddPolyline(*list,
                {CVector(125, 205), CVector(155, 150), CVector(195, 185), CVector(230, 125),
                 CVector(270, 160)},
                RGB(0, 200, 255), 2)
        ->SetFocus(-1);
    AddPolyline(*list, {CVector(150, 30), CVector(185, 10), CVector(220, 30)}, RGB(255, 160, 0), 1);
    AddRectangle(*list, CVector(290, 18), CVector(340, 48), 20, RGB(255, 0, 255), 2);
    AddTextItems(*list);
    list->SetResolution(4.0, 4.0);
    list->SetCalibrated(1);
    AddDistance(*list, {CVector(20, 285), CVector(120, 285)}, CVector(-50, -24));
    AddAngle(*list, {CVector(70, 65), CVector(25, 110), CVector(25, 110), CVector(95, 110)});
    const auto library = SampleSymbolLibrary();
    PlaceSymbol(*list, *library, "Frecce", "Freccia", CVector(60, 245), RGB(255, 255, 255));
    PlaceSymbol(*list, *library, "Marcatori", "Lato L", CVector(375, 32), RGB(255, 255, 0));
    AddFreehand(*list);
    return list;
}

// A density line across the lower part of the bright disc, its profile graph to the right of
// the disc: the curve steps up where the line enters the disc and down where it leaves.
void AddDensityLine(CGraphicItemList& list, struct_LEAD_Bitmap& image) {
    auto* line = new CGrDensityLine;
    CVector start(110, 232), end(290, 232);
    line->SetStart(&start);
    line->SetEnd(&end, 0);
    line->SetColor(RGB(255, 80, 255));
    line->SetClass(CGraphicItem::classDensity);
    line->Init(&image, 1); // the graph: a third of the image from the line's end
    line->Move(305 - end.x, 150 - end.y, CGraphicItem::hitWhole);
    line->GetProfile()->Move(-58, -25, 3); // smaller, to fit beside the disc
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
