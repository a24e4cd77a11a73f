#pragma once
// The drawing objects that a drawing context selects: pens, brushes and fonts, with the
// framework's constants. An object is "created" once it holds a description and is empty
// again after DeleteObject; a drawing context copies the description when it selects the
// object, so the object may be deleted once it has been selected out again.

#include <vellum/platform/Types.h>

#include <cstring>

namespace vellum {

class CDC;
using HDC = CDC*;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// Brush styles.
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

// Font weights and character sets.
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr int LF_FACESIZE = 32;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth; // x is the width; y is unused
    COLORREF lopnColor;
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
};

struct LOGFONT {
    LONG lfHeight;      // character height in logical units; 0 picks a default size
    LONG lfWidth;
    LONG lfEscapement;  // tenths of a degree, counter-clockwise from the x axis
    LONG lfOrientation; // tenths of a degree
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE]; // Windows-1252, zero-terminated; empty picks the default face
};

struct TEXTMETRIC {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    BYTE tmItalic;
    BYTE tmCharSet;
};

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    // Empties the object; the framework's name for releasing the platform resource.
    BOOL DeleteObject();
    BOOL IsCreated() const { return m_bCreated; }

protected:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = default;
    CGdiObject& operator=(const CGdiObject&) = default;
    bool m_bCreated = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    // Width in logical units; 0 draws one device pixel whatever the mapping.
    BOOL CreatePen(int style, int width, COLORREF colour);
    const LOGPEN& GetLogPen() const { return m_logPen; }

private:
    LOGPEN m_logPen{};
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour);
    // A brush that fills nothing (the framework's hollow stock brush).
    BOOL CreateHollowBrush();
    const LOGBRUSH& GetLogBrush() const { return m_logBrush; }

private:
    LOGBRUSH m_logBrush{};
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    BOOL CreateFontIndirect(const LOGFONT* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                    const char* faceName);
    const LOGFONT& GetLogFont() const { return m_logFont; }

private:
    LOGFONT m_logFont{};
};

using HFONT = CFont*;

} // namespace vellum
