// vellum: the command-line tool of the Vellum overlay library.

#include "Commands.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: vellum COMMAND ...\n"
                 "\n"
                 "  demo [-o DIR]       make a sample image and overlay, store them and draw\n"
                 "                      them into DIR (default ./vellum-demo)\n"
                 "  info FILE [--json]  show what a stored item list holds\n"
                 "  render FILE [--image IMG] [--zoom Z] [--types MASK] -o OUT.png|.pdf|.svg\n"
                 "                      draw a stored item list, over a grey PGM or PNG image\n"
                 "  image FILE [--json] describe a PGM, PNG or DICOM image as the library sees it\n"
                 "  gamma IMAGE [--p 0.5] [--lower-fraction F] [--window [--low-cut A\n"
                 "        --high-cut B]] -o OUT.pgm|.png\n"
                 "                      find the gamma that brings the mean grey to the\n"
                 "                      brightness p asks for, and write the corrected image\n"
                 "  replay SCRIPT [--image IMG] [--frames DIR] -o OUT.png  drive the window\n");
}

} // namespace

int main(int argc, char** argv) {
    using namespace vellum::tool;
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "-h" || command == "--help" || command == "help") {
        PrintUsage(stdout);
        return 0;
    }
    int (*run)(const Args&) = command == "demo"     ? RunDemo
                              : command == "info"   ? RunInfo
                              : command == "render" ? RunRender
                              : command == "gamma"  ? RunGamma
                              : command == "replay" ? RunReplay
                              : command == "image"  ? RunImage
                                                    : nullptr;
    if (!run) {
        std::fprintf(stderr, "vellum: unknown command '%s' (vellum --help lists them)\n",
                     command.c_str());
        return 2;
    }
    try {
        return run(args);
    } catch (const CommandError& e) {
        std::fprintf(stderr, "vellum %s: %s\n", command.c_str(), e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum %s: %s\n", command.c_str(), e.what());
    }
    return 1;
}
