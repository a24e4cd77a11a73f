// Writes the seed corpus of the archive fuzzer: valid archives of the library's items, each
// behind the byte that chooses the requested class (0: any class).
//
//   make_archive_seeds DIR

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicArc.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/archive/Archive.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/density/GrDensityArea.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/Resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace vellum;

namespace {
void WriteSeed(const std::string& dir, const char* name, const CObject* first,
               const CObject* second = nullptr) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << first;
        if (second)
            ar << second << first;
        ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.put('\0');
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
    std::free(data);
}
// Types the text into the next text editor and confirms it, as a user would.
class Typist : public CHeadlessUiHost {
public:
    explicit Typist(const char* text) : m_text(text) {}
    void RunPropertySheet(CPropertySheet& sheet) override {
        if (sheet.GetActivePage()->TypeText(IDC_TEXT, m_text))
            sheet.PressOK();
    }

private:
    const char* m_text;
};

// A turned text box of two lines with accented words, and a value label.
void WriteTextSeeds(const std::string& dir) {
    CGraphicText text;
    CVector corner(20, 30), opposite(120, 60);
    text.SetStart(&corner);
    text.SetEnd(&opposite, 0);
    text.Rotate(0.5, nullptr);
    text.SetClass(CGraphicItem::classText);
    text.SetColor(RGB(255, 255, 0));
    Typist typist("Propriet\xE0\r\nperch\xE9  no");
    CUiHostScope scope(typist);
    text.Properties(nullptr, 0);
    WriteSeed(dir, "text", &text);

    CGraphicTextLine label;
    label.SetStart(&corner);
    label.SetEnd(&opposite, 1);
    label.SetDoubleValue(12.5, 2, "mm");
    label.GetFont().SetSize(14);
    WriteSeed(dir, "label", &label);
    WriteSeed(dir, "text-and-label", &text, &label);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_archive_seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];

    CGraphicItem polyline;
    for (CVector p : {CVector(10, 10), CVector(40, 12.5), CVector(25, -8)})
        polyline.SetEnd(&p, 1);
    polyline.SetColor(RGB(255, 0, 0));
    polyline.SetLineWidth(2.0);
    WriteSeed(dir, "item", &polyline);

    CGraphicLine line;
    CVector start(1, 2), end(300.25, 400.5);
    line.SetStart(&start);
    line.SetEnd(&end, 0);
    line.SetClass(CGraphicItem::classMeasure);
    WriteSeed(dir, "line", &line);
    WriteSeed(dir, "line-and-item", &line, &polyline);

    // A list of two groups, one holding the same line twice.
    CGraphicItemList list;
    auto* first = new CGraphicLine;
    first->SetStart(&start);
    first->SetEnd(&end, 0);
    list.AddItem(CGraphicItem::classDrawing, first);
    list.AddItem(CGraphicItem::classDrawing, first);
    auto* poly = new CGrPolyLine;
    poly->SetStart(&start);
    poly->SetEnd(&end, 1);
    poly->SetClass(CGraphicItem::classMeasure);
    list.AddItem(CGraphicItem::classMeasure, poly);
    list.SetCalibrated(1);
    list.SetResolution(4.0, 4.0);
    WriteSeed(dir, "list", &list);

    // A rectangle turned by 30 degrees, and a selection rectangle (an empty body).
    CGraphicRect rect;
    CVector corner(20, 30), opposite(120.5, 90.25);
    rect.SetStart(&corner);
    rect.SetEnd(&opposite, 0);
    rect.Rotate(0.5235987755982988, nullptr);
    rect.SetColor(RGB(255, 0, 255));
    WriteSeed(dir, "rectangle", &rect);
    CGraphicSelectionRect selection;
    selection.SetStart(&corner);
    selection.SetEnd(&opposite, 0);
    WriteSeed(dir, "selection", &selection, &rect);
    WriteTextSeeds(dir);

    CGraphicArc arc;
    CVector arcStart(5, 6), arcEnd(60.5, 90);
    arc.SetStart(&arcStart);
    arc.SetEnd(&arcEnd, 0);
    WriteSeed(dir, "arc", &arc);

    // A distance of two segments whose label was dragged away, and a shared-vertex angle.
    CGrPolyDist distance(list.GetRegionalSettings());
    distance.SetStart(&start);
    for (CVector p : {CVector(30, 40), CVector(90, 40)})
        distance.SetEnd(&p, 1);
    distance.Move(12, -7, CGraphicItem::hitLabel);
    WriteSeed(dir, "distance", &distance);

    CGrAngle angle;
    angle.SetStart(&start);
    for (CVector p : {CVector(40, 2), CVector(40, 2), CVector(70, 50)})
        angle.SetEnd(&p, 1);
    WriteSeed(dir, "angle", &angle);
    WriteSeed(dir, "angle-and-distance", &angle, &distance);

    CGraphicItemList measurements;
    measurements.SetResolution(2.5, 5.0);
    measurements.SetCalibrated(1);
    auto* measured = new CGrPolyDist(measurements.GetRegionalSettings());
    measured->SetStart(&start);
    measured->SetEnd(&end, 1);
    measured->SetClass(CGraphicItem::classMeasure);
    measurements.AddItem(CGraphicItem::classMeasure, measured);
    auto* measuredAngle = new CGrAngle;
    measuredAngle->SetStart(&start);
    for (CVector p : {end, CVector(320, 10), CVector(20, 20)})
        measuredAngle->SetEnd(&p, 1);
    measuredAngle->SetClass(CGraphicItem::classMeasure);
    measurements.AddItem(CGraphicItem::classMeasure, measuredAngle);
    auto* drawnArc = new CGraphicArc;
    drawnArc->SetStart(&arcStart);
    drawnArc->SetEnd(&arcEnd, 0);
    measurements.AddItem(CGraphicItem::classDrawing, drawnArc);
    WriteSeed(dir, "list-of-measurements", &measurements);
    // Density items: a line whose graph was moved and rescaled, an area, and a list of both.
    CGrDensityLine density;
    CVector from(20, 30), to(180, 90);
    density.SetStart(&from);
    density.SetEnd(&to, 0);
    density.Move(15, -5, CGraphicItem::hitWhole);
    density.GetProfile()->SetScale(40, 200);
    density.SetClass(CGraphicItem::classDensity);
    WriteSeed(dir, "density-line", &density);
    CGrDensityArea area;
    area.SetStart(&from);
    area.SetEnd(&to, 0);
    area.SetClass(CGraphicItem::classDensity);
    WriteSeed(dir, "density-area", &area);
    WriteSeed(dir, "density-line-and-area", &density, &area);
    CGraphicItemList densityList;
    auto* listed = new CGrDensityLine;
    listed->SetStart(&from);
    listed->SetEnd(&to, 0);
    listed->SetClass(CGraphicItem::classDensity);
    densityList.AddItem(CGraphicItem::classDensity, listed);
    auto* listedArea = new CGrDensityArea;
    listedArea->SetStart(&to);
    listedArea->SetEnd(&from, 0);
    listedArea->SetClass(CGraphicItem::classDensity);
    densityList.AddItem(CGraphicItem::classDensity, listedArea);
    WriteSeed(dir, "density-list", &densityList);
    // A symbol of a line and a polyline, and a library of two groups holding copies of it.
    CGraphicSymbol symbol;
    auto* arm = new CGraphicLine;
    arm->SetStart(&start);
    arm->SetEnd(&end, 0);
    symbol.AddItem(arm);
    auto* hook = new CGrPolyLine;
    for (CVector p : {CVector(5, 5), CVector(60, 20), CVector(30, 70)})
        p == CVector(5, 5) ? hook->SetStart(&p) : hook->SetEnd(&p, 1);
    symbol.AddItem(hook);
    symbol.Normalize();
    symbol.SetName("Marker");
    symbol.SetInfo("seed");
    symbol.SetSize(12.5, 20.0);
    WriteSeed(dir, "symbol", &symbol);
    CGraphicItemList library;
    library.AddSymbolGroup("Arrows");
    library.AddSymbolGroup("Markers");
    for (const char* group : {"Arrows", "Markers"}) {
        CMemFile copyFile;
        {
            CArchive ar(&copyFile, CArchive::store);
            ar << &symbol;
            ar.Close();
        }
        copyFile.SeekToBegin();
        CArchive ar(&copyFile, CArchive::load);
        library.AddSymbolToGroup(
            group, static_cast<CGraphicSymbol*>(ar.ReadObject(RUNTIME_CLASS(CGraphicSymbol))));
    }
    WriteSeed(dir, "symbol-library", &library);

    CGraphicFreeDraw stroke;
    for (CVector p : {CVector(10, 10), CVector(30, 5), CVector(20, 40), CVector(45, 33)})
        p == CVector(10, 10) ? stroke.SetStart(&p) : stroke.SetEnd(&p, 1);
    stroke.GetLabel().SetText("Nota");
    WriteSeed(dir, "freehand", &stroke);
    std::printf("seeds written to %s\n", dir.c_str());
    return 0;
}
