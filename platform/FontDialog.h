#pragma once
// CFontDialog: the standard font chooser, shown by the UI host. The font is a LOGFONT; the
// chooser also gives its size in tenths of a point and, with CF_EFFECTS, a text colour.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CDC;
class CWnd;

constexpr DWORD CF_SCREENFONTS = 0x0001;
constexpr DWORD CF_PRINTERFONTS = 0x0002;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x0040; // start from *lpLogFont
constexpr DWORD CF_EFFECTS = 0x0100;             // offer underline, strike-out and colour

struct CHOOSEFONT {
    CWnd* hwndOwner;
    LOGFONT* lpLogFont; // the initial font, then the chosen one
    int iPointSize;     // the chosen size in tenths of a point
    DWORD Flags;
    COLORREF rgbColors; // the initial colour, then the chosen one
};

class CFontDialog {
public:
    // initial: the font to start from; null starts from the chooser's default.
    explicit CFontDialog(const LOGFONT* initial = nullptr,
                         DWORD flags = CF_EFFECTS | CF_SCREENFONTS, CDC* printerDC = nullptr,
                         CWnd* parent = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    // IDOK when the user chose a font, else IDCANCEL.
    INT_PTR DoModal();

    void GetCurrentFont(LOGFONT* font) const { *font = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic ? TRUE : FALSE; }
    BOOL IsUnderline() const { return m_lf.lfUnderline ? TRUE : FALSE; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut ? TRUE : FALSE; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf{};
};

} // namespace vellum
