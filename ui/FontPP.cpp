#include <vellum/ui/FontPP.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CFontPP, CPropertyPage)

CFontPP::CFontPP() : CPropertyPage(IDD_FONT_PP) {
    AddLibraryResources();
}

BOOL CFontPP::OnCommand(UINT id, UINT code) {
    if (id == IDC_SELECT_FONT && code == BN_CLICKED) {
        OnSelectFont();
        return TRUE;
    }
    return CPropertyPage::OnCommand(id, code);
}

void CFontPP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Check(dx, IDC_FONT_DEFAULT, m_bSetDefault);
}

// The chooser does not save: the default is written only when the sheet ends with OK.
void CFontPP::OnSelectFont() {
    if (m_font.Select(false) == 1)
        m_bChanged = 1;
}

void CFontPP::OnOK() {
    if (m_bSetDefault)
        m_font.Save();
    CPropertyPage::OnOK();
}

} // namespace vellum
