// Writes the seed corpus of the archive fuzzer: valid archives of the library's items, each
// behind the byte that chooses the requested class (0: any class).
//
//   make_archive_seeds DIR

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/archive/Archive.h>
#include <vellum/density/GrDensityArea.h>
#include <vellum/density/GrDensityLine.h>
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
    std::printf("seeds written to %s\n", dir.c_str());
    return 0;
}
