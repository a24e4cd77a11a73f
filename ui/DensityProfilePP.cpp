#include <vellum/ui/DensityProfilePP.h>

#include <vellum/platform/DataExchange.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CDensityProfilePP, CPropertyPage)

CDensityProfilePP::CDensityProfilePP() : CPropertyPage(IDD_DENSITY_PROFILE_PP) {
    AddLibraryResources();
}

void CDensityProfilePP::DoDataExchange(CDataExchange* dx) {
    CPropertyPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_SCALE_MAX, m_nMax);
    DDV_MinMaxUInt(dx, m_nMax, kMinMaximum, kMaxLevel);
    DDX_Text(dx, IDC_SCALE_MIN, m_nMin);
    DDV_MinMaxUInt(dx, m_nMin, 0, kMaxLevel);
    DDV_MinMaxUInt(dx, m_nMin, 0, m_nMax - 1);
}

} // namespace vellum
