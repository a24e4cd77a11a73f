// vellum: the command-line tool of the Vellum overlay library.
//
// The library's foundation is in place (archive, geometry, the item model and the line);
// until the item list exists, the tool shows the archive at work on a built-in sample.

#include <vellum/vellum.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace vellum;

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: vellum [demo]\n"
                 "\n"
                 "  demo   store a sample line in the archive format, print its bytes and\n"
                 "         read it back (the default)\n");
}

void PrintHex(const BYTE* data, std::size_t length) {
    for (std::size_t row = 0; row < length; row += 16) {
        std::printf("  %04zx ", row);
        for (std::size_t i = row; i < row + 16 && i < length; ++i)
            std::printf(" %02x", data[i]);
        std::printf("\n");
    }
}

int Demo() {
    CGraphicLine line;
    CVector start(12, 20), end(112.5, 80);
    line.SetStart(&start);
    line.SetEnd(&end, 0);
    line.SetColor(RGB(255, 0, 0));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &line;
        ar.Close();
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    std::vector<BYTE> bytes(length);
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(length));

    std::printf("Vellum %s: vector overlays for radiography images.\n", VELLUM_VERSION);
    std::printf("Sample: a red line from (12, 20) to (112.5, 80), archived in %zu bytes:\n",
                length);
    PrintHex(bytes.data(), length);

    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItem)));
    auto& item = static_cast<CGraphicItem&>(*object);
    const CRect bounds = item.GetBoundsRect(1);
    std::printf("Read back: %s, colour 0x%08X, width %.1f, %d nodes", 
                object->GetRuntimeClass()->m_lpszClassName, item.GetColor(),
                item.GetLineWidth(), item.GetNodeCount());
    for (int i = 0; i < item.GetNodeCount(); ++i)
        std::printf(" (%g, %g)", item.GetNode(i).x, item.GetNode(i).y);
    std::printf(", bounds (%d, %d, %d, %d)\n", bounds.left, bounds.top, bounds.right,
                bounds.bottom);
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 1 || (argc == 2 && std::strcmp(argv[1], "demo") == 0))
        return Demo();
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage(stdout);
        return EXIT_SUCCESS;
    }
    std::fprintf(stderr, "vellum: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
