#include <vellum/platform/GdiObject.h>

namespace vellum {

BOOL CGdiObject::DeleteObject() {
    const bool wasCreated = m_bCreated;
    m_bCreated = false;
    return wasCreated ? TRUE : FALSE;
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
    m_logPen = LOGPEN{static_cast<UINT>(style), POINT{width, 0}, colour};
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    m_logBrush = LOGBRUSH{BS_SOLID, colour};
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::CreateHollowBrush() {
    m_logBrush = LOGBRUSH{BS_NULL, 0};
    m_bCreated = true;
    return TRUE;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    m_logFont = *font;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_bCreated = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                       BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, const char* faceName) {
    LOGFONT font{height,       width,        escapement,    orientation,   weight,
                 italic,       underline,    strikeOut,     charSet,       outPrecision,
                 clipPrecision, quality,     pitchAndFamily, {}};
    if (faceName)
        std::strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

} // namespace vellum
