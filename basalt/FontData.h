#pragma once
// CFontData: a font record kept under a settings name in the per-user settings. The public
// fields are the record in its stored order, which the archive form of text items writes and
// reads field by field:
//
//   1. m_strFaceName      CString   face name ("Arial"); fontconfig maps it to an installed face
//   2. m_strStyleName     CString   style name as a font chooser shows it ("Regular", "Bold
//                                   Italic"); descriptive only, CreateFont does not read it
//   3. m_dwEffects        DWORD     effect bits: FONT_EFFECT_UNDERLINE, FONT_EFFECT_STRIKEOUT
//   4. m_lWeight          LONG      weight, 0..1000 (FW_NORMAL 400, FW_BOLD 700)
//      m_lItalic          LONG      non-zero for an italic face
//      m_lPitchAndFamily  LONG      the font description's pitch-and-family byte (0: default)
//   5. m_nCharSet         BYTE      character set (ANSI_CHARSET for Windows-1252 text)
//   6. m_lSize            LONG      size in points
//   7. m_crColor          COLORREF  text colour, 0x00BBGGRR
//
// In the settings the record is one section named after the settings name, one entry per
// field: FaceName, StyleName, Effects, Weight, Italic, PitchAndFamily, CharSet, Size (decimal
// numbers) and Color ("R,G,B", as the other colours of the settings; the top byte, which is
// no part of a colour, is not kept). Line breaks in the strings are stored as spaces and
// surrounding blanks are not kept, as in any settings value.

#include <vellum/platform/GdiObject.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

constexpr DWORD FONT_EFFECT_UNDERLINE = 0x1;
constexpr DWORD FONT_EFFECT_STRIKEOUT = 0x2;

class CFontData {
public:
    // A new record is the default font of size 10 (GetDefault(10)). A null name counts as
    // empty; a record with an empty name can be neither saved nor restored.
    explicit CFontData(const char* settingsName);
    CFontData(const CFontData&) = default;
    CFontData& operator=(const CFontData&) = default;
    virtual ~CFontData();

    // Loads the record stored under the settings name. Non-zero when every entry is there and
    // well formed; otherwise 0, and the record is left as it was.
    BOOL Restore();
    // The default record for a size in points: "Arial", style "Regular", no effects,
    // FW_NORMAL, upright, default pitch and family, ANSI_CHARSET, black. 0 (record unchanged)
    // when the size is not positive.
    BOOL GetDefault(int size);
    // Stores the record under the settings name; 0 when the settings cannot be written.
    BOOL Save() const;

    // A font for the device, owned by the caller: height −max(1, round(size × pixels per inch
    // of the device's y axis / 72)), rounded half away from zero (the em size; a negative
    // height is how the framework asks for it), so that a size that comes to less than one
    // pixel still gives the smallest font rather than the default size. Escapement and
    // orientation in tenths of a degree; weight, italic, underline, strike-out, character set,
    // pitch and family and face from the record. Null without a device.
    HFONT CreateFont(HDC dc, int escapement, int orientation) const;

    // Lets the user choose a font through the UI host's font chooser, which starts from the
    // record (its size for the screen, 96 pixels per inch, and its colour). 1 when the user
    // chose a font: the record takes its face, weight, italic flag, underline and strike-out,
    // character set, pitch and family, colour and size (the chooser's tenths of a point rounded
    // half up to whole points, or the points of its height when it gives no size; at least 1),
    // and the style name becomes the weight's name to the nearest hundred ("Light", "Regular",
    // "SemiBold", "Bold", ...) followed by "Italic" for an italic face ("Italic" alone for a
    // regular one). save true also stores the chosen record under the settings name. 0 when
    // the user cancelled; the record is unchanged.
    int Select(bool save);

    LONG GetSize() const { return m_lSize; }
    void SetSize(LONG size) { m_lSize = size; }
    COLORREF GetColor() const { return m_crColor; }
    void SetColor(COLORREF colour) { m_crColor = colour; }
    const CString& GetSettingsName() const { return m_strSettingsName; }

    CString m_strFaceName;
    CString m_strStyleName;
    DWORD m_dwEffects = 0;
    LONG m_lWeight = FW_NORMAL;
    LONG m_lItalic = 0;
    LONG m_lPitchAndFamily = 0;
    BYTE m_nCharSet = ANSI_CHARSET;
    LONG m_lSize = 10;
    COLORREF m_crColor = 0;

private:
    // The record's font description for a device of that resolution.
    LOGFONT MakeLogFont(int pixelsPerInch, int escapement, int orientation) const;

    CString m_strSettingsName;
};

} // namespace vellum
