// A client of the installed library: stores a line, reads it back by class name, and draws it
// with the Cairo backend.

#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/vellum.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace vellum;

int main() {
    CGraphicLine line;
    CVector start(0, 10), end(30, 10);
    line.SetStart(&start);
    line.SetEnd(&end, 0);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &line;
        ar.Close();
    }
    const auto length = static_cast<unsigned>(file.GetLength());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> back(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
    auto* item = static_cast<CGraphicItem*>(back.get());

    auto dc = CCairoDC::CreateImage(40, 20, RGB(0, 0, 0));
    item->Draw(dc.get(), 1.0, 0, 0, 1.0);

    // The body follows the 18-byte class record (tag, schema, name length, name).
    std::printf("%s %u bytes, read back %d nodes, pixel 0x%06X\n",
                back->GetRuntimeClass()->m_lpszClassName, length - 18, item->GetNodeCount(),
                dc->GetPixel(15, 10));
    return item->GetNode(1) == end ? EXIT_SUCCESS : EXIT_FAILURE;
}
