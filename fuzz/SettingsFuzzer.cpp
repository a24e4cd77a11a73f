// Reads arbitrary bytes as the per-user settings file, through every value the library takes
// from it: the default colour and width of new items, the text colour, the overlay font, the
// unit system, the hidden symbol groups and symbols. Then writes one entry and checks that the
// store kept its word: the entry reads back as written, and every value read before reads the same
// afterwards.
//
// The first byte chooses the entry written and the next bytes its value; the rest is the file.

#include "ScratchSettings.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/basalt/FontData.h>
#include <vellum/basalt/RegionalSettings.h>
#include <vellum/platform/UserSettings.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace vellum;

// Everything the library reads from the settings, as one comparable text.
std::string ReadEverything() {
    CGraphicLine item;
    item.GetDefaultColor();
    item.GetDefaultWidth();
    std::string seen = std::to_string(item.GetColor()) + "/" + std::to_string(item.GetLineWidth());
    CGraphicText text;
    text.GetDefaultColor();
    seen += "/" + std::to_string(text.GetColor());
    const CGraphicItemList library;
    for (const char* name : {"Frecce", " Marcatori ", ""})
        seen += library.IsSymbolGroupDisabled(name) ? "/hidden" : "/shown";
    for (const char* key : {"Frecce_Freccia", "Marcatori_Croce"})
        seen += library.IsSymbolDisabled(key) ? "/hidden" : "/shown";

    CFontData font("UserGraphicsFont");
    if (font.Restore()) {
        CRecordingDC dc;
        HFONT created = font.CreateFont(dc.GetSafeHdc(), 450, 450);
        delete created;
        seen += "/" + font.m_strFaceName.str() + "/" + std::to_string(font.GetSize());
    }
    CRegionalSettings units;
    seen += "/" + std::to_string(static_cast<int>(units.GetUnitSystem()));
    for (const char* entry : {"DefaultColor", "DefaultWidth", "SymbolLibrary"})
        seen += "/" + CUserSettings::GetProfileString("UserGraphics", entry, "-").str();
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string& path = vellum::fuzz::UseScratchSettings("settings");

    // The value to write: printable, one line, no blanks around it, as a settings value is.
    static const char* const kEntries[][2] = {
        {"Scratch", "Value"}, {"UserGraphics", "Other"}, {"DisabledGroups", "Fuzz"}, {"A", "B"}};
    const auto& target = kEntries[data[0] % std::size(kEntries)];
    std::string value;
    std::size_t at = 1;
    for (; at < size && at < 9 && data[at] != '\n'; ++at)
        if (data[at] > ' ' && data[at] < 0x7F)
            value += static_cast<char>(data[at]);

    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + at),
                  static_cast<std::streamsize>(size - at));
    }
    const std::string before = ReadEverything();
    if (!CUserSettings::WriteProfileString(target[0], target[1], value.c_str()))
        std::abort();
    if (CUserSettings::GetProfileString(target[0], target[1], "\n").str() != value)
        std::abort();
    if (ReadEverything() != before)
        std::abort();
    return 0;
}
