// Writes the seed corpus of the archive fuzzer: valid archives of the library's items, each
// behind the byte that chooses the requested class (0: any class).
//
//   make_archive_seeds DIR

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/archive/Archive.h>
#include <vellum/platform/MemFile.h>

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
