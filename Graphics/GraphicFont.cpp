#include <vellum/Graphics/GraphicFont.h>

#include <vellum/archive/Archive.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vellum {

CGraphicFont::CGraphicFont() : CFontData("UserGraphicsFont") {
    GetDefault(10);
}

CGraphicFont::CGraphicFont(const CGraphicFont& other) = default;

CGraphicFont::~CGraphicFont() = default;

CGraphicFont& CGraphicFont::operator=(const CGraphicFont& other) = default;

HFONT CGraphicFont::CreateFont(HDC dc, int escapement, int orientation, double scale) {
    const LONG kept = m_lSize;
    // Damaged data may ask for sizes beyond the 32-bit range: they stop at its ends, and a
    // scale that is not a number gives the smallest font.
    const double scaled = std::trunc(static_cast<double>(m_lSize) * scale);
    m_lSize = std::isnan(scaled)
                  ? 0
                  : static_cast<LONG>(std::clamp(scaled, double(INT32_MIN), double(INT32_MAX)));
    HFONT font = CFontData::CreateFont(dc, escapement, orientation);
    m_lSize = kept;
    return font;
}

void CGraphicFont::Read(CArchive& ar) {
    CString face, style;
    DWORD effects;
    std::int32_t weight, italic, pitch, size;
    BYTE charSet;
    DWORD colour;
    ar >> face >> style >> effects >> weight >> italic >> pitch >> charSet >> size >> colour;
    m_strFaceName = face;
    m_strStyleName = style;
    m_dwEffects = effects;
    m_lWeight = weight;
    m_lItalic = italic;
    m_lPitchAndFamily = pitch;
    m_nCharSet = charSet;
    m_lSize = size;
    m_crColor = colour;
}

void CGraphicFont::Write(CArchive& ar) const {
    ar << m_strFaceName << m_strStyleName << m_dwEffects << static_cast<std::int32_t>(m_lWeight)
       << static_cast<std::int32_t>(m_lItalic) << static_cast<std::int32_t>(m_lPitchAndFamily)
       << m_nCharSet << static_cast<std::int32_t>(m_lSize) << static_cast<DWORD>(m_crColor);
}

} // namespace vellum
