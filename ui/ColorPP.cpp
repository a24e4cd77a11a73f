#include <vellum/ui/ColorPP.h>

#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/DataExchange.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CColorPP, CPropertyPage)

CColorPP::CColorPP() : CPropertyPage(IDD_COLOR_PP, IDS_COLOR) {
    AddLibraryResources();
}

BOOL CColorPP::OnCommand(UINT id, UINT code) {
    if (id == IDC_SELECT_COLOR && code == BN_CLICKED) {
        OnSelectColor();
        return TRUE;
    }
    return CPropertyPage::OnCommand(id, code);
}

void CColorPP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Check(dx, IDC_COLOR_DEFAULT, m_bSetDefault);
}

void CColorPP::OnSelectColor() {
    CColorDialog chooser(m_crColor, 0, this);
    if (chooser.DoModal() == IDOK) {
        m_crColor = chooser.GetColor();
        m_bChanged = 1;
    }
}

// The default is written as "R,G,B" in decimal, which is how it is read back.
void CColorPP::OnOK() {
    if (m_bSetDefault) {
        CString text;
        text.Format("%i,%i,%i", GetRValue(m_crColor), GetGValue(m_crColor), GetBValue(m_crColor));
        CUserSettings::WriteProfileString("UserGraphics", "DefaultColor", text);
    }
    CPropertyPage::OnOK();
}

} // namespace vellum
