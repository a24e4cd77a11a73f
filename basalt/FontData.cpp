#include <vellum/basalt/FontData.h>

#include <vellum/platform/DC.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/UserSettings.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace vellum {

namespace {

constexpr const char* kFaceName = "FaceName";
constexpr const char* kStyleName = "StyleName";
constexpr const char* kEffects = "Effects";
constexpr const char* kWeight = "Weight";
constexpr const char* kItalic = "Italic";
constexpr const char* kPitchAndFamily = "PitchAndFamily";
constexpr const char* kCharSet = "CharSet";
constexpr const char* kSize = "Size";
constexpr const char* kColor = "Color";

// The font chooser shows fonts for the screen.
constexpr int kScreenPixelsPerInch = 96;

// The default that GetProfileString gives for a missing entry: a stored value is one line and
// can never hold a line break.
constexpr const char* kMissing = "\n";

std::optional<CString> ReadString(const char* section, const char* entry) {
    CString value = CUserSettings::GetProfileString(section, entry, kMissing);
    if (value == kMissing)
        return std::nullopt;
    return value;
}

// A whole decimal number within [low, high]; nothing for a missing or malformed entry.
std::optional<std::int64_t> ReadNumber(const char* section, const char* entry, std::int64_t low,
                                       std::int64_t high) {
    const std::optional<CString> text = ReadString(section, entry);
    if (!text)
        return std::nullopt;
    const std::string& digits = text->str();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
        value < low || value > high)
        return std::nullopt;
    return value;
}

// "R,G,B" with three components 0..255, blanks allowed around them.
std::optional<COLORREF> ReadColor(const char* section, const char* entry) {
    const std::optional<CString> text = ReadString(section, entry);
    if (!text)
        return std::nullopt;
    std::string_view rest = text->str();
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), parts[i]);
        if (error != std::errc() || parts[i] < 0 || parts[i] > 255)
            return std::nullopt;
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (i < 2) {
            if (rest.empty() || rest.front() != ',')
                return std::nullopt;
            rest.remove_prefix(1);
        }
    }
    if (!rest.empty())
        return std::nullopt;
    return RGB(static_cast<BYTE>(parts[0]), static_cast<BYTE>(parts[1]),
               static_cast<BYTE>(parts[2]));
}

// A settings value holds one line: line breaks become spaces.
std::string OneLine(const CString& text) {
    std::string line = text.str();
    std::replace_if(
        line.begin(), line.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
    return line;
}

// The style name of a weight and slant: the weight's name to the nearest hundred (0, the
// framework's "any weight", is regular), then "Italic"; "Regular" is left out before "Italic".
CString StyleName(LONG weight, bool italic) {
    if (weight <= 0)
        weight = FW_NORMAL;
    static const char* const names[] = {"Thin",     "ExtraLight", "Light",     "Regular", "Medium",
                                        "SemiBold", "Bold",       "ExtraBold", "Black"};
    const LONG hundreds = std::clamp<LONG>((std::clamp<LONG>(weight, 0, 1000) + 50) / 100, 1, 9);
    const std::string name = names[hundreds - 1];
    if (!italic)
        return CString(name);
    return CString(name == "Regular" ? std::string("Italic") : name + " Italic");
}

} // namespace

CFontData::CFontData(const char* settingsName) : m_strSettingsName(settingsName) {
    GetDefault(10);
}

CFontData::~CFontData() = default;

BOOL CFontData::Restore() {
    if (m_strSettingsName.IsEmpty())
        return FALSE;
    const char* section = m_strSettingsName;
    constexpr std::int64_t longMin = std::numeric_limits<LONG>::min();
    constexpr std::int64_t longMax = std::numeric_limits<LONG>::max();
    const auto face = ReadString(section, kFaceName);
    const auto style = ReadString(section, kStyleName);
    const auto effects = ReadNumber(section, kEffects, 0, std::numeric_limits<DWORD>::max());
    const auto weight = ReadNumber(section, kWeight, longMin, longMax);
    const auto italic = ReadNumber(section, kItalic, longMin, longMax);
    const auto pitch = ReadNumber(section, kPitchAndFamily, longMin, longMax);
    const auto charSet = ReadNumber(section, kCharSet, 0, 255);
    const auto size = ReadNumber(section, kSize, longMin, longMax);
    const auto colour = ReadColor(section, kColor);
    if (!face || !style || !effects || !weight || !italic || !pitch || !charSet || !size || !colour)
        return FALSE;
    m_strFaceName = *face;
    m_strStyleName = *style;
    m_dwEffects = static_cast<DWORD>(*effects);
    m_lWeight = static_cast<LONG>(*weight);
    m_lItalic = static_cast<LONG>(*italic);
    m_lPitchAndFamily = static_cast<LONG>(*pitch);
    m_nCharSet = static_cast<BYTE>(*charSet);
    m_lSize = static_cast<LONG>(*size);
    m_crColor = *colour;
    return TRUE;
}

BOOL CFontData::GetDefault(int size) {
    if (size <= 0)
        return FALSE;
    m_strFaceName = "Arial";
    m_strStyleName = "Regular";
    m_dwEffects = 0;
    m_lWeight = FW_NORMAL;
    m_lItalic = 0;
    m_lPitchAndFamily = 0;
    m_nCharSet = ANSI_CHARSET;
    m_lSize = size;
    m_crColor = RGB(0, 0, 0);
    return TRUE;
}

BOOL CFontData::Save() const {
    if (m_strSettingsName.IsEmpty())
        return FALSE;
    const char* section = m_strSettingsName;
    const std::string colour = std::to_string(GetRValue(m_crColor)) + "," +
                               std::to_string(GetGValue(m_crColor)) + "," +
                               std::to_string(GetBValue(m_crColor));
    const std::pair<const char*, std::string> entries[] = {
        {kFaceName, OneLine(m_strFaceName)},
        {kStyleName, OneLine(m_strStyleName)},
        {kEffects, std::to_string(m_dwEffects)},
        {kWeight, std::to_string(m_lWeight)},
        {kItalic, std::to_string(m_lItalic)},
        {kPitchAndFamily, std::to_string(m_lPitchAndFamily)},
        {kCharSet, std::to_string(m_nCharSet)},
        {kSize, std::to_string(m_lSize)},
        {kColor, colour},
    };
    for (const auto& [entry, value] : entries) {
        if (!CUserSettings::WriteProfileString(section, entry, value.c_str()))
            return FALSE;
    }
    return TRUE;
}

LOGFONT CFontData::MakeLogFont(int pixelsPerInch, int escapement, int orientation) const {
    const double pixels = std::round(static_cast<double>(m_lSize) * pixelsPerInch / 72.0);
    const double height = std::clamp(pixels, 1.0, static_cast<double>(INT32_MAX));
    LOGFONT font{};
    font.lfHeight = -static_cast<LONG>(height);
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = m_lWeight;
    font.lfItalic = m_lItalic ? 1 : 0;
    font.lfUnderline = (m_dwEffects & FONT_EFFECT_UNDERLINE) ? 1 : 0;
    font.lfStrikeOut = (m_dwEffects & FONT_EFFECT_STRIKEOUT) ? 1 : 0;
    font.lfCharSet = m_nCharSet;
    font.lfPitchAndFamily = static_cast<BYTE>(m_lPitchAndFamily);
    std::strncpy(font.lfFaceName, m_strFaceName, LF_FACESIZE - 1);
    return font;
}

HFONT CFontData::CreateFont(HDC dc, int escapement, int orientation) const {
    if (!dc)
        return nullptr;
    const LOGFONT description = MakeLogFont(dc->GetDeviceCaps(LOGPIXELSY), escapement, orientation);
    auto* font = new CFont;
    font->CreateFontIndirect(&description);
    return font;
}

int CFontData::Select(bool save) {
    const LOGFONT initial = MakeLogFont(kScreenPixelsPerInch, 0, 0);
    CFontDialog dialog(&initial, CF_EFFECTS | CF_SCREENFONTS);
    dialog.m_cf.rgbColors = m_crColor;
    if (dialog.DoModal() != IDOK)
        return 0;
    LOGFONT chosen{};
    dialog.GetCurrentFont(&chosen);
    // The chooser's size in tenths of a point, else the one that its height stands for.
    const double points = dialog.GetSize() > 0 ? dialog.GetSize() / 10.0
                                               : std::abs(static_cast<double>(chosen.lfHeight)) *
                                                     72.0 / kScreenPixelsPerInch;
    const char* faceEnd = std::find(chosen.lfFaceName, chosen.lfFaceName + LF_FACESIZE, '\0');
    m_strFaceName = CString(chosen.lfFaceName, static_cast<int>(faceEnd - chosen.lfFaceName));
    m_lWeight = chosen.lfWeight;
    m_lItalic = chosen.lfItalic ? 1 : 0;
    m_strStyleName = StyleName(m_lWeight, m_lItalic != 0);
    m_dwEffects = (chosen.lfUnderline ? FONT_EFFECT_UNDERLINE : 0) |
                  (chosen.lfStrikeOut ? FONT_EFFECT_STRIKEOUT : 0);
    m_nCharSet = chosen.lfCharSet;
    m_lPitchAndFamily = chosen.lfPitchAndFamily;
    m_lSize = static_cast<LONG>(std::clamp(std::round(points), 1.0, 2147483647.0));
    m_crColor = dialog.GetColor();
    if (save)
        Save();
    return 1;
}

} // namespace vellum
