#pragma once
// CColorDialog: the standard colour chooser, shown by the UI host.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CWnd;

constexpr DWORD CC_RGBINIT = 0x0001; // start from rgbResult
constexpr DWORD CC_FULLOPEN = 0x0002;

struct CHOOSECOLOR {
    CWnd* hwndOwner;
    COLORREF rgbResult;     // the initial colour, then the chosen one
    COLORREF* lpCustColors; // the 16 custom colours the user keeps between choosers
    DWORD Flags;
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

    // IDOK when the user chose a colour, else IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLOR m_cc;
};

} // namespace vellum
