#include <vellum/ui/TextPP.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CTextPP, CPropertyPage)

CTextPP::CTextPP() : CPropertyPage(IDD_TEXT_PP) {
    AddLibraryResources();
}

void CTextPP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_TEXT, m_strText);
}

} // namespace vellum
