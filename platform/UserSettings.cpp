#include <vellum/platform/UserSettings.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace vellum {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// The file as lines, so that writing keeps comments and unknown content as they were.
std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    const std::string temporary = std::string(path).append(".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(temporary, target, error);
    return !error;
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']')
        return Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
    return std::nullopt;
}

// Where a section's lines are: [begin, end) after its header, or begin = npos when absent.
struct SectionSpan {
    std::size_t header = std::string::npos;
    std::size_t end = 0;
};

SectionSpan FindSection(const std::vector<std::string>& lines, const char* section) {
    SectionSpan span;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (!name)
            continue;
        if (span.header != std::string::npos) {
            span.end = i;
            return span;
        }
        if (SameName(*name, section))
            span.header = i;
    }
    span.end = lines.size();
    return span;
}

// The index of the entry's line within the section, or npos.
std::size_t FindEntry(const std::vector<std::string>& lines, const SectionSpan& span,
                      const char* entry) {
    if (span.header == std::string::npos)
        return std::string::npos;
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto equals = lines[i].find('=');
        if (equals != std::string::npos &&
            SameName(Trim(std::string_view(lines[i]).substr(0, equals)), entry))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> ReadEntry(const char* section, const char* entry) {
    const auto lines = ReadLines(CUserSettings::GetPath());
    const auto index = FindEntry(lines, FindSection(lines, section), entry);
    if (index == std::string::npos)
        return std::nullopt;
    return Trim(std::string_view(lines[index]).substr(lines[index].find('=') + 1));
}

} // namespace

std::string CUserSettings::GetPath() {
    if (const char* path = std::getenv("VELLUM_SETTINGS"); path && *path)
        return path;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config).append("/vellum/settings.ini");
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".").append("/.config/vellum/settings.ini");
}

CString CUserSettings::GetProfileString(const char* section, const char* entry, const char* def) {
    const auto value = ReadEntry(section, entry);
    return value ? CString(*value) : CString(def);
}

int CUserSettings::GetProfileInt(const char* section, const char* entry, int def) {
    const auto value = ReadEntry(section, entry);
    if (!value)
        return def;
    // Sign and leading digits only; the value wraps to 32 bits rather than overflowing.
    std::size_t i = 0;
    bool negative = false;
    if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+'))
        negative = (*value)[i++] == '-';
    std::uint32_t number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i)
        number = number * 10u + static_cast<std::uint32_t>((*value)[i] - '0');
    return static_cast<int>(negative ? 0u - number : number);
}

BOOL CUserSettings::WriteProfileString(const char* section, const char* entry, const char* value) {
    const std::string path = GetPath();
    auto lines = ReadLines(path);
    SectionSpan span = FindSection(lines, section);
    const std::size_t index = FindEntry(lines, span, entry);
    if (!value) {
        if (index == std::string::npos)
            return TRUE;
        lines.erase(lines.begin() + static_cast<long>(index));
        return WriteLines(path, lines) ? TRUE : FALSE;
    }
    std::string line = entry;
    line.append("=").append(value);
    if (index != std::string::npos) {
        lines[index] = line;
    } else if (span.header != std::string::npos) {
        // After the section's last entry, before any blank lines that separate sections.
        std::size_t at = span.end;
        while (at > span.header + 1 && Trim(lines[at - 1]).empty())
            --at;
        lines.insert(lines.begin() + static_cast<long>(at), line);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        std::string header = "[";
        header.append(section).append("]");
        lines.push_back(header);
        lines.push_back(line);
    }
    return WriteLines(path, lines) ? TRUE : FALSE;
}

BOOL CUserSettings::WriteProfileInt(const char* section, const char* entry, int value) {
    return WriteProfileString(section, entry, std::to_string(value).c_str());
}

BOOL CUserSettings::DeleteSection(const char* section) {
    const std::string path = GetPath();
    auto lines = ReadLines(path);
    const SectionSpan span = FindSection(lines, section);
    if (span.header == std::string::npos)
        return TRUE;
    lines.erase(lines.begin() + static_cast<long>(span.header),
                lines.begin() + static_cast<long>(span.end));
    return WriteLines(path, lines) ? TRUE : FALSE;
}

CString CUserSettings::SectionOfKey(const char* key) {
    const std::string text = key ? key : "";
    const auto slash = text.find_last_of('\\');
    return CString(slash == std::string::npos ? text : text.substr(slash + 1));
}

} // namespace vellum
