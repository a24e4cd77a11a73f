#pragma once
// The fuzzers drive pages that save the user's defaults: each process keeps its settings in a
// scratch file of its own, never in the user's.

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vellum::fuzz {

// On the first call, points the settings at /tmp/vellum-NAME-fuzz-PID.ini; returns that path.
inline const std::string& UseScratchSettings(const char* name) {
    static const std::string path = [name] {
        std::string file =
            std::string("/tmp/vellum-") + name + "-fuzz-" + std::to_string(getpid()) + ".ini";
        setenv("VELLUM_SETTINGS", file.c_str(), 1);
        return file;
    }();
    return path;
}

} // namespace vellum::fuzz
