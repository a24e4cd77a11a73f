#include <vellum/basalt/LogError.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace vellum {

namespace {

// A text field of the line: control characters would break the line or its fields.
std::string Field(const char* text) {
    if (!text || !*text)
        return "-";
    std::string field = text;
    for (char& ch : field) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F)
            ch = ' ';
    }
    return field;
}

// The local time in ISO 8601 with the UTC offset written as ±hh:mm.
std::string LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return "-";
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    if (length < 5)
        return std::string(text, length);
    // "+0100" becomes "+01:00".
    std::string stamp(text, length - 2);
    stamp += ':';
    stamp.append(text + length - 2, 2);
    return stamp;
}

} // namespace

std::string GetErrorLogPath() {
    if (const char* path = std::getenv("VELLUM_LOG"); path && *path)
        return path;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state).append("/vellum/error.log");
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".").append("/.local/state/vellum/error.log");
}

void WriteLogError(LONG code, const char* sourceFile, int line, const char* buildStamp) noexcept {
    try {
        const std::filesystem::path path(GetErrorLogPath());
        std::error_code error;
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path(), error);
        const std::string entry = LocalTime() + '\t' + std::to_string(code) + '\t' +
                                  Field(sourceFile) + '\t' + std::to_string(line) + '\t' +
                                  Field(buildStamp) + '\n';
        // Opened for appending and written in one piece, so that lines of separate processes
        // do not interleave.
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    } catch (...) {
        // The log is a courtesy: failing to write it must not disturb the failure being handled.
    }
}

} // namespace vellum
