#include "ReplayScript.h"

#include "Commands.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace vellum::tool {

namespace {

constexpr ReplayVerb kVerbs[] = {
    {"image", 2, false},      {"view", 2, false},       {"origin", 2, false},
    {"zoom", 1, false},       {"action", 1, false},     {"types", 1, false},
    {"force", 1, false},      {"visible", 1, false},    {"access", 1, false},
    {"resolution", 2, false}, {"calibrated", 1, false}, {"down", 2, true},
    {"move", 2, true},        {"up", 2, true},          {"dblclick", 2, true},
    {"rclick", 2, true},      {"type", kText, false},   {"calibrate", kText, false},
    {"symbol", 2, false},     {"freehand", 0, false},
};

// The vector actions by name, in the order of their codes.
constexpr const char* kActionNames[] = {
    "select",   "rotate", "delete",    "line",         "distance",
    "text",     "angle",  "symbol",    "density-area", "density-line",
    "polyline", "arc",    "rectangle", "freehand",     "selection",
};

// The words of a line; a word in double quotes may hold blanks ("Lato L").
std::optional<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < text.size();) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            const auto close = text.find('"', i + 1);
            if (close == std::string::npos)
                return std::nullopt;
            word = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
                word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

// A word of the script as an error message shows it: in quotes, with control bytes written as
// \xNN, so that a binary file gives one readable line (UTF-8 letters stay as they are).
std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            quoted += c;
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        }
    }
    return quoted + "'";
}

[[noreturn]] void ScriptError(const std::string& script, int line, const std::string& problem) {
    throw CommandError(script + ":" + std::to_string(line) + ": " + problem);
}

// A number as the script writes it: decimal, or for masks and classes also 0x hexadecimal.
std::optional<double> Number(const std::string& text, bool integer) {
    char* end = nullptr;
    const double value = integer ? static_cast<double>(std::strtol(text.c_str(), &end, 0))
                                 : std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The rest of the line after the verb, without the blanks around it.
std::string RestOfLine(const std::string& text, const std::string& verb) {
    std::string rest = text.substr(text.find(verb) + verb.size());
    const auto first = rest.find_first_not_of(" \t");
    rest = first == std::string::npos ? std::string() : rest.substr(first);
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back())))
        rest.pop_back();
    return rest;
}

} // namespace

std::vector<ReplayStep> ParseReplayScript(std::istream& in, const std::string& name,
                                          bool imageGiven) {
    std::vector<ReplayStep> steps;
    bool eventSeen = false;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        const auto words = Words(text);
        if (!words)
            ScriptError(name, line, "a quoted name has no closing quote");
        if (words->empty())
            continue;
        const std::string verb = words->front();
        ReplayStep step{line, nullptr, 0, 0, {}, {}};
        for (const ReplayVerb& known : kVerbs)
            if (verb == known.name)
                step.verb = &known;
        if (!step.verb)
            ScriptError(name, line, "unknown command " + Quoted(verb));
        if (step.verb->values == kText) {
            // The rest of the line, as the user types it.
            step.text = RestOfLine(text, verb);
            if (verb == "calibrate" && step.text.empty())
                ScriptError(name, line, verb + " takes the length the user types");
            steps.push_back(step);
            continue;
        }
        const std::vector<std::string> values(words->begin() + 1, words->end());
        if (static_cast<int>(values.size()) != step.verb->values)
            ScriptError(name, line,
                        verb + " takes " + std::to_string(step.verb->values) +
                            (step.verb->values == 1 ? " value" : " values"));

        const bool real = verb == "zoom" || verb == "resolution";
        if (verb == "symbol")
            step.names = values;
        for (std::size_t i = 0; i < values.size() && verb != "symbol"; ++i) {
            std::optional<double> value = Number(values[i], !real);
            if (verb == "action" && !value) {
                for (int code = 0; code < static_cast<int>(std::size(kActionNames)); ++code)
                    if (values[i] == kActionNames[code])
                        value = code;
            }
            if (!value || std::fabs(*value) > kMaxReplayValue)
                ScriptError(name, line, Quoted(values[i]) + " is not a value for " + verb);
            (i == 0 ? step.a : step.b) = *value;
        }

        if ((verb == "image" || verb == "view") &&
            (step.a < 1 || step.b < 1 || step.a > kMaxReplaySide || step.b > kMaxReplaySide))
            ScriptError(name, line, verb + " needs a width and height from 1 to 32767");
        if ((verb == "image" || verb == "view") && eventSeen)
            ScriptError(name, line, verb + " must come before the first mouse event");
        if (verb == "image" && imageGiven)
            ScriptError(name, line, "the image size comes from --image");
        if (verb == "zoom" && !(step.a > 0 && step.a <= kMaxReplayZoom))
            ScriptError(name, line, "zoom must be above 0 and at most 64");
        if ((verb == "types" || verb == "force") && (step.a < 0 || step.a > 0xFFFF))
            ScriptError(name, line, verb + " needs a class mask from 0 to 0xFFFF");
        eventSeen = eventSeen || step.verb->event;
        steps.push_back(step);
    }
    return steps;
}

} // namespace vellum::tool
