#include <vellum/ui/SymbolDefDlg.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CSymbolDefDlg, CDialog)

CSymbolDefDlg::CSymbolDefDlg(CWnd* parent) : CDialog(IDD_SYMBOL_DEFINITION, parent) {
    AddLibraryResources();
}

void CSymbolDefDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_SYMBOL_DEF_NAME, m_strName);
    DDX_Text(dx, IDC_SYMBOL_DEF_WIDTH, m_dWidth);
    DDV_MinMaxDouble(dx, m_dWidth, 0.0, kMaxSize);
    DDX_Text(dx, IDC_SYMBOL_DEF_HEIGHT, m_dHeight);
    DDV_MinMaxDouble(dx, m_dHeight, 0.0, kMaxSize);
    DDX_Text(dx, IDC_SYMBOL_DEF_INFO, m_strInfo);
}

} // namespace vellum
