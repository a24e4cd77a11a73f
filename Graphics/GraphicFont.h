#pragma once
// CGraphicFont: the font of every text-bearing item. It is Basalt's font record, kept under
// the settings name "UserGraphicsFont", with its archive form and the creation of a font
// scaled by the view's zoom.

#include <vellum/basalt/FontData.h>

namespace vellum {

class CArchive;

class CGraphicFont : public CFontData {
public:
    // The default font of size 10, until the user's saved default is restored.
    CGraphicFont();
    CGraphicFont(const CGraphicFont& other);
    ~CGraphicFont() override;
    CGraphicFont& operator=(const CGraphicFont& other);

    using CFontData::CreateFont;
    // A font for the device with the record's size multiplied by scale (truncated toward
    // zero); the record keeps its own size. Escapement and orientation in tenths of a degree.
    // The caller owns the font. Null without a device.
    HFONT CreateFont(HDC dc, int escapement, int orientation, double scale);

    // The record in its stored order: face and style names, effects, weight, italic flag,
    // pitch and family, character set (one byte), size and colour.
    void Read(CArchive& ar);
    void Write(CArchive& ar) const;
};

} // namespace vellum
