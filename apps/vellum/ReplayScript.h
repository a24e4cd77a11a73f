#pragma once
// The scripts of vellum replay: one host call per line, "#" to the end of a line a comment.
// Parsing checks every line before anything runs, so that a wrong line costs nothing.

#include <istream>
#include <string>
#include <vector>

namespace vellum::tool {

// A script word: how many values it takes and whether it is a mouse event. A word of kText
// values takes the rest of its line as one text.
struct ReplayVerb {
    const char* name;
    int values;
    bool event;
};
constexpr int kText = -1;

// The largest view or image side a script may ask for, and the largest coordinate or value.
constexpr int kMaxReplaySide = 32767;
constexpr double kMaxReplayValue = 1000000.0;
constexpr double kMaxReplayZoom = 64.0;

struct ReplayStep {
    int line;
    const ReplayVerb* verb;
    double a = 0;
    double b = 0;
    std::string text;               // the rest of a type or calibrate line
    std::vector<std::string> names; // symbol: the group and the symbol
};

// Reads the whole script; CommandError names the script (as `name`), the line and the problem.
// With imageGiven the image comes from the command line and an image line is refused.
std::vector<ReplayStep> ParseReplayScript(std::istream& in, const std::string& name,
                                          bool imageGiven);

} // namespace vellum::tool
