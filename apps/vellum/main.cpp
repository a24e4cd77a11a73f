// vellum: the command-line tool of the Vellum overlay library.
//
//   vellum demo [-o DIR]   draws a built-in sample of overlay items over a sample grey image,
//                          at zoom 1 and zoom 2, into DIR/demo.png, and stores the items in
//                          the archive format as DIR/demo.vla

#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/vellum.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace vellum;

namespace {

constexpr int kImageWidth = 200;
constexpr int kImageHeight = 150;
constexpr int kMargin = 10;

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: vellum demo [-o DIR]\n"
                      "\n"
                      "  demo   draw the built-in sample of overlay items over a sample image at\n"
                      "         zoom 1 and 2 into DIR/demo.png, and store the items in\n"
                      "         DIR/demo.vla (DIR defaults to ./vellum-demo)\n");
}

// The sample items: lines and polylines in several colours and widths, one of them selected.
std::vector<std::unique_ptr<CGraphicItem>> SampleItems() {
    std::vector<std::unique_ptr<CGraphicItem>> items;
    auto line = [&](CVector a, CVector b, COLORREF colour, double width) {
        auto item = std::make_unique<CGraphicLine>();
        item->SetStart(&a);
        item->SetEnd(&b, 0);
        item->SetColor(colour);
        item->SetLineWidth(width);
        items.push_back(std::move(item));
    };
    auto polyline = [&](std::vector<CVector> nodes, COLORREF colour, double width, int focus) {
        auto item = std::make_unique<CGrPolyLine>();
        item->SetStart(&nodes[0]);
        for (std::size_t i = 1; i < nodes.size(); ++i)
            item->SetEnd(&nodes[i], 1);
        item->SetColor(colour);
        item->SetLineWidth(width);
        item->SetFocus(focus);
        items.push_back(std::move(item));
    };
    line(CVector(15, 20), CVector(185, 20), RGB(0, 255, 0), 1);
    line(CVector(15, 35), CVector(110, 130), RGB(255, 64, 64), 3);
    line(CVector(185, 35), CVector(130, 135), RGB(255, 255, 0), 2);
    polyline({CVector(30, 120), CVector(60, 70), CVector(95, 95), CVector(140, 50), CVector(175, 80)},
             RGB(0, 200, 255), 2, -1);
    polyline({CVector(120, 130), CVector(150, 110), CVector(185, 130)}, RGB(255, 160, 0), 1, 0);
    return items;
}

// A radiograph-like sample: a soft vertical gradient with a brighter disc.
std::vector<BYTE> SampleImage() {
    std::vector<BYTE> pixels(static_cast<std::size_t>(kImageWidth) * kImageHeight);
    for (int y = 0; y < kImageHeight; ++y) {
        for (int x = 0; x < kImageWidth; ++x) {
            const double dx = x - 100.0, dy = y - 80.0;
            int grey = 40 + y * 60 / kImageHeight;
            if (dx * dx + dy * dy < 55.0 * 55.0)
                grey += 50;
            pixels[static_cast<std::size_t>(y) * kImageWidth + x] = static_cast<BYTE>(grey);
        }
    }
    return pixels;
}

// The image at a zoom, pixel by pixel, for the panel that shows it.
std::vector<BYTE> Zoomed(const std::vector<BYTE>& image, int zoom) {
    std::vector<BYTE> out(image.size() * static_cast<std::size_t>(zoom * zoom));
    const int width = kImageWidth * zoom;
    for (int y = 0; y < kImageHeight * zoom; ++y)
        for (int x = 0; x < width; ++x)
            out[static_cast<std::size_t>(y) * width + x] =
                image[static_cast<std::size_t>(y / zoom) * kImageWidth + x / zoom];
    return out;
}

int Demo(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const auto items = SampleItems();
    const std::vector<BYTE> image = SampleImage();

    // Both panels side by side on one grey canvas: the image at zoom 1, then at zoom 2.
    const int canvasWidth = kMargin * 3 + kImageWidth * 3;
    const int canvasHeight = kMargin * 2 + kImageHeight * 2;
    std::vector<BYTE> canvas(static_cast<std::size_t>(canvasWidth) * canvasHeight, 96);
    const int origins[2][2] = {{kMargin, kMargin}, {kMargin * 2 + kImageWidth, kMargin}};
    for (int panel = 0; panel < 2; ++panel) {
        const int zoom = panel + 1;
        const std::vector<BYTE> zoomed = Zoomed(image, zoom);
        for (int y = 0; y < kImageHeight * zoom; ++y)
            std::memcpy(&canvas[static_cast<std::size_t>(origins[panel][1] + y) * canvasWidth +
                                origins[panel][0]],
                        &zoomed[static_cast<std::size_t>(y) * kImageWidth * zoom],
                        static_cast<std::size_t>(kImageWidth * zoom));
    }
    auto dc = CCairoDC::CreateImageFromGrey(canvas.data(), canvasWidth, canvasHeight, canvasWidth);
    for (int panel = 0; panel < 2; ++panel) {
        // The window places the context's origin at the image origin; items draw from there.
        dc->SetViewportOrg(origins[panel][0], origins[panel][1]);
        for (const auto& item : items)
            item->Draw(dc.get(), panel + 1.0, 0, 0, 1.0);
    }
    const std::string png = (dir / "demo.png").string();
    dc->WritePng(png.c_str());

    const std::string archive = (dir / "demo.vla").string();
    CFile file(archive.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(static_cast<DWORD>(items.size()));
    for (const auto& item : items)
        ar << item.get();
    ar.Close();
    file.Close();

    std::printf("Vellum %s: vector overlays for radiography images.\n", VELLUM_VERSION);
    std::printf("Drew %zu items (lines and polylines, one selected) at zoom 1 and 2: %s\n",
                items.size(), png.c_str());
    std::printf("Stored them in the archive format: %s\n", archive.c_str());
    for (const auto& item : items) {
        const CRect bounds = item->GetBoundsRect(0);
        std::printf("  %-12s colour 0x%06X width %.0f nodes %d bounds (%d, %d, %d, %d)\n",
                    item->GetRuntimeClass()->m_lpszClassName, item->GetColor(),
                    item->GetLineWidth(), item->GetNodeCount(), bounds.left, bounds.top,
                    bounds.right, bounds.bottom);
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        PrintUsage(args.empty() ? stderr : stdout);
        return args.empty() ? 2 : EXIT_SUCCESS;
    }
    if (args[0] != "demo") {
        std::fprintf(stderr, "vellum: unknown command '%s'\n", args[0].c_str());
        PrintUsage(stderr);
        return 2;
    }
    std::filesystem::path dir = "vellum-demo";
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            dir = args[++i];
        } else {
            std::fprintf(stderr, "vellum demo: unexpected argument '%s'\n", args[i].c_str());
            return 2;
        }
    }
    try {
        return Demo(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum demo: %s\n", e.what());
        return EXIT_FAILURE;
    }
}
