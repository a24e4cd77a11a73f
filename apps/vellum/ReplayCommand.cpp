// vellum replay SCRIPT [--image IMG] [--frames DIR] -o OUT.png: drives the interactive window
// through a script of host calls, as a viewer forwards its mouse and settings, over a view that
// the Cairo backend draws. Writes the final picture, the item list next to it (OUT.vla) and,
// with --frames, the picture after every mouse event, so that rubber bands can be seen.

#include "Commands.h"
#include "ReplayScript.h"
#include "ReplaySession.h"

#include <vellum/platform/Exceptions.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace vellum::tool {

int RunReplay(const Args& args) {
    std::string scriptPath, imagePath, framesDir, outPath, libraryPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--image")
            imagePath = OptionValue(args, i);
        else if (arg == "--library")
            libraryPath = OptionValue(args, i);
        else if (arg == "--frames")
            framesDir = OptionValue(args, i);
        else if (arg == "-o")
            outPath = OptionValue(args, i);
        else if (scriptPath.empty() && !arg.starts_with("-"))
            scriptPath = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (scriptPath.empty() || outPath.empty())
        throw CommandError(
            "usage: vellum replay SCRIPT [--image IMG] [--library LIB] [--frames DIR] -o OUT.png");
    if (std::filesystem::path(outPath).extension() != ".png")
        throw CommandError(outPath + ": the output must end in .png");

    // Everything is read and checked before anything is written.
    std::ifstream script(scriptPath);
    if (!script)
        throw CommandError(scriptPath + ": " + std::strerror(errno));
    const std::vector<ReplayStep> steps = ParseReplayScript(script, scriptPath, !imagePath.empty());
    const auto image = imagePath.empty() ? nullptr : LoadImage(imagePath);
    ReplayOptions options;
    options.scriptName = scriptPath;
    options.image = image.get();
    options.library = libraryPath.empty() ? nullptr : LoadList(libraryPath);
    if (image && (image->Width > kMaxReplaySide || image->Height > kMaxReplaySide))
        throw CommandError(imagePath + ": the image is larger than 32767 pixels");
    const std::string listPath = std::filesystem::path(outPath).replace_extension(".vla").string();
    int frames = 0;
    if (!framesDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(framesDir, error);
        if (error)
            throw CommandError(framesDir + ": " + error.message());
        options.onEvent = [&](int frame, const std::string& verb, const CCairoDC& picture) {
            char name[32];
            frames = frame;
            std::snprintf(name, sizeof name, "%03d-%s.png", frame, verb.c_str());
            picture.WritePng((std::filesystem::path(framesDir) / name).string().c_str());
        };
    }

    ReplaySession session(std::move(options));
    try {
        session.Run(steps);
        session.Picture().WritePng(outPath.c_str());
    } catch (const CException& e) {
        throw CommandError(outPath + ": " + e.what());
    }
    WriteListFile(session.List(), listPath);
    std::printf("%s\n%s\n", outPath.c_str(), listPath.c_str());
    if (frames > 0)
        std::printf("%s: %d frames\n", framesDir.c_str(), frames);
    return 0;
}

} // namespace vellum::tool
