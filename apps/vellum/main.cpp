// vellum: the command-line tool of the Vellum overlay library.

#include "Commands.h"

#include <vellum/module/VellumModule.h>

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
                 "  replay SCRIPT [--image IMG] [--library LIB] [--frames DIR] -o OUT.png\n"
                 "                      drive the window\n"
                 "  histogram IMAGE --rect L,T,R,B | --line X1,Y1,X2,Y2 [--json] [-o CHART.png]\n"
                 "                      grey-level statistics of a rectangle or along a line,\n"
                 "                      and their bar chart\n"
                 "  symbols LIBRARY [--json]  list the groups and symbols of a symbol library\n"
                 "  symbols LIBRARY --make-sample  write the sample symbol library\n");
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
    int (*run)(const Args&) = command == "demo"        ? RunDemo
                              : command == "info"      ? RunInfo
                              : command == "render"    ? RunRender
                              : command == "gamma"     ? RunGamma
                              : command == "replay"    ? RunReplay
                              : command == "histogram" ? RunHistogram
                              : command == "symbols"   ? RunSymbols
                              : command == "image"     ? RunImage
                                                       : nullptr;
    if (!run) {
        std::fprintf(stderr, "vellum: unknown command '%s' (vellum --help lists them)\n",
                     command.c_str());
        return 2;
    }
    // The library starts as a host starts it: its resources (the window's messages and menus)
    // become reachable and the user's default overlay font is stored if there is none.
    vellum::CVellumModule module;
    vellum::VellumDLLInit();
    try {
        return run(args);
    } catch (const CommandError& e) {
        std::fprintf(stderr, "vellum %s: %s\n", command.c_str(), e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellum %s: %s\n", command.c_str(), e.what());
    }
    return 1;
}
