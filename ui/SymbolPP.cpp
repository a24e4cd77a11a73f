#include <vellum/ui/SymbolPP.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CSymbolPP, CPropertyPage)

CSymbolPP::CSymbolPP() : CPropertyPage(IDD_SYMBOL_PP) {
    AddLibraryResources();
}

void CSymbolPP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_SYMBOL_NAME, m_strName);
    DDX_Check(dx, IDC_FREEZE_SYMBOL, m_bFreeze);
    DDX_Text(dx, IDC_SYMBOL_INFO, m_strInfo);
}

} // namespace vellum
