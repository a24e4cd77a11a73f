#pragma once
// CDensityProfilePP: the page "Profilo di Densità" of a density line's property sheet: the
// grey levels drawn at the top (10 to 255) and at the bottom (0 to 255, and below the top)
// of the profile graph.

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CDensityProfilePP : public CPropertyPage {
    DECLARE_DYNAMIC(CDensityProfilePP)
public:
    static constexpr UINT kMinMaximum = 10;
    static constexpr UINT kMaxLevel = 255;

    CDensityProfilePP();

    UINT m_nMax = kMaxLevel;
    UINT m_nMin = 0;

protected:
    // The maximum first, then the minimum against 0–255, then against the maximum.
    void DoDataExchange(CDataExchange* dx) override;
};

} // namespace vellum
