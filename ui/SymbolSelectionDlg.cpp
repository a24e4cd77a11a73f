#include <vellum/ui/SymbolSelectionDlg.h>

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/SymbolOptionsDlg.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CSymbolSelectionDlg, CDialog)

CSymbolSelectionDlg::CSymbolSelectionDlg(CGraphicItemList* library, CWnd* parent)
    : CDialog(IDD_SYMBOL_SELECTION, parent), m_pLibrary(library) {
    AddLibraryResources();
}

CSymbolSelectionDlg::~CSymbolSelectionDlg() = default;

CGraphicSymbol* CSymbolSelectionDlg::TakeSymbol() {
    return m_pSymbol.release();
}

void CSymbolSelectionDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SYMBOL_LIST, m_lbSymbols);
    DDX_Control(dx, IDC_GROUP_LIST, m_lbGroups);
}

BOOL CSymbolSelectionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pLibrary->AddGroupsToLB(&m_lbGroups, nullptr);
    return TRUE;
}

BOOL CSymbolSelectionDlg::OnCommand(UINT id, UINT code) {
    if (id == IDC_GROUP_LIST && code == LBN_SELCHANGE) {
        OnSelChangeGroup();
        return TRUE;
    }
    if (id == IDC_SYMBOL_OPTIONS && code == BN_CLICKED) {
        OnOptions();
        return TRUE;
    }
    return CDialog::OnCommand(id, code);
}

void CSymbolSelectionDlg::OnSelChangeGroup() {
    const int selected = m_lbGroups.GetCurSel();
    if (selected == LB_ERR)
        return;
    m_lbGroups.GetText(selected, m_strCurrentGroup);
    m_lbSymbols.ResetContent();
    m_pLibrary->AddSymbolsToLB(m_strCurrentGroup, &m_lbSymbols, nullptr);
}

void CSymbolSelectionDlg::OnOptions() {
    CSymbolOptionsDlg options(m_pLibrary, m_strCurrentGroup);
    if (options.DoModal() != IDOK)
        return;
    m_lbGroups.ResetContent();
    m_lbSymbols.ResetContent();
    m_pLibrary->AddGroupsToLB(&m_lbGroups, nullptr);
    if (m_strCurrentGroup.IsEmpty() || m_pLibrary->IsSymbolGroupDisabled(m_strCurrentGroup))
        return;
    int found = 0;
    CString text;
    for (int i = 0; i < m_lbGroups.GetCount(); ++i)
        if (m_lbGroups.GetText(i, text) != LB_ERR && text == m_strCurrentGroup) {
            found = i;
            break;
        }
    m_lbGroups.SetCurSel(found);
    OnSelChangeGroup();
}

void CSymbolSelectionDlg::OnOK() {
    const int group = m_lbGroups.GetCurSel();
    const int symbol = m_lbSymbols.GetCurSel();
    if (group != LB_ERR && symbol != LB_ERR) {
        CString groupName, symbolName;
        m_lbGroups.GetText(group, groupName);
        m_lbSymbols.GetText(symbol, symbolName);
        m_pSymbol.reset(m_pLibrary->GetSymbol(groupName, symbolName));
    }
    EndDialog(IDOK);
}

} // namespace vellum
