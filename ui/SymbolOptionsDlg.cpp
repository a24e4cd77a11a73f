#include <vellum/ui/SymbolOptionsDlg.h>

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/platform/DataExchange.h>
#include <vellum/platform/File.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

#include <cstdio>

namespace vellum {

IMPLEMENT_DYNAMIC(CMyCheckListBox, CCheckListBox)
IMPLEMENT_DYNAMIC(CSymbolOptionsDlg, CDialog)

namespace {

// Applies a state file when it can be opened, then removes it.
void RestoreFrom(const char* path, bool (CGraphicItemList::*restore)(CFile*),
                 CGraphicItemList& library) {
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return;
    (library.*restore)(&file);
    file.Close();
    std::remove(path);
}

} // namespace

CSymbolOptionsDlg::CSymbolOptionsDlg(CGraphicItemList* library, const char* initialGroup,
                                     CWnd* parent)
    : CDialog(IDD_SYMBOL_OPTIONS, parent), m_pLibrary(library),
      m_strInitialGroup(initialGroup ? initialGroup : "") {
    AddLibraryResources();
}

void CSymbolOptionsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUP_CHECK_LIST, m_lbGroups);
    DDX_Control(dx, IDC_SYMBOL_CHECK_LIST, m_lbSymbols);
}

BOOL CSymbolOptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    try {
        m_pLibrary->AddGroupsToCheckListBox(&m_lbGroups, nullptr);
    } catch (const CFileException& error) {
        // Without the state files Cancel could not undo: the dialog does not open.
        AfxMessageBox(error.what(), MB_OK | MB_ICONSTOP);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    if (m_strInitialGroup.IsEmpty())
        return TRUE;
    CString text;
    for (int i = 0; i < m_lbGroups.GetCount(); ++i)
        if (m_lbGroups.GetText(i, text) != LB_ERR && text == m_strInitialGroup) {
            m_lbGroups.SetCurSel(i);
            OnSelChangeGroup();
            break;
        }
    return TRUE;
}

BOOL CSymbolOptionsDlg::OnCommand(UINT id, UINT code) {
    const bool groups = id == static_cast<UINT>(IDC_GROUP_CHECK_LIST);
    const bool symbols = id == static_cast<UINT>(IDC_SYMBOL_CHECK_LIST);
    if ((groups || symbols) && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        if (code == LBN_DBLCLK)
            ToggleSelected(groups ? m_lbGroups : m_lbSymbols);
        if (groups)
            OnSelChangeGroup();
        else
            OnSelChangeSymbol();
        return TRUE;
    }
    return CDialog::OnCommand(id, code);
}

void CSymbolOptionsDlg::ToggleSelected(CCheckListBox& list) {
    const int selected = list.GetCurSel();
    if (selected == LB_ERR)
        return;
    const int check = list.GetCheck(selected);
    if (check == BST_CHECKED)
        list.SetCheck(selected, BST_UNCHECKED);
    else if (check == BST_UNCHECKED)
        list.SetCheck(selected, BST_CHECKED);
}

void CSymbolOptionsDlg::OnSelChangeGroup() {
    const int selected = m_lbGroups.GetCurSel();
    if (selected == LB_ERR)
        return;
    CString group;
    m_lbGroups.GetText(selected, group);
    const int check = m_lbGroups.GetCheck(selected);
    m_lbSymbols.ResetContent();
    if (check == BST_CHECKED)
        m_pLibrary->EnableSymbolGroup(group);
    else if (check == BST_UNCHECKED)
        m_pLibrary->DisableSymbolGroup(group);
    else
        return;
    m_pLibrary->AddSymbolsToCheckListBox(group, &m_lbSymbols, nullptr);
}

void CSymbolOptionsDlg::OnSelChangeSymbol() {
    const int symbolLine = m_lbSymbols.GetCurSel();
    const int groupLine = m_lbGroups.GetCurSel();
    if (symbolLine == LB_ERR || groupLine == LB_ERR)
        return;
    CString group, symbol;
    m_lbGroups.GetText(groupLine, group);
    m_lbSymbols.GetText(symbolLine, symbol);
    CString key = group;
    key += "_";
    key += symbol;
    const int check = m_lbSymbols.GetCheck(symbolLine);
    if (check == BST_CHECKED)
        m_pLibrary->EnableSymbol(key);
    else if (check == BST_UNCHECKED)
        m_pLibrary->DisableSymbol(key);
    bool anyChecked = false;
    for (int i = 0; i < m_lbSymbols.GetCount() && !anyChecked; ++i)
        anyChecked = m_lbSymbols.GetCheck(i) == BST_CHECKED;
    m_lbGroups.SetCheck(groupLine, anyChecked ? BST_CHECKED : BST_UNCHECKED);
    if (anyChecked)
        m_pLibrary->EnableSymbolGroup(group);
    else
        m_pLibrary->DisableSymbolGroup(group);
}

void CSymbolOptionsDlg::OnOK() {
    for (const char* path :
         {CGraphicItemList::groupsStateFile, CGraphicItemList::symbolsStateFile}) {
        CFile file;
        if (file.Open(path, CFile::modeRead)) {
            file.Close();
            std::remove(path);
        }
    }
    EndDialog(IDOK);
}

void CSymbolOptionsDlg::OnCancel() {
    try {
        RestoreFrom(CGraphicItemList::groupsStateFile, &CGraphicItemList::RestoreInitalGroupsState,
                    *m_pLibrary);
        RestoreFrom(CGraphicItemList::symbolsStateFile,
                    &CGraphicItemList::RestoreInitalSymbolsState, *m_pLibrary);
    } catch (const CFileException&) {
        // A file that fails half-way ends the dialog as it stands.
    }
    EndDialog(IDCANCEL);
}

} // namespace vellum
