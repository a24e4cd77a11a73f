#pragma once
// CLinePP: the line page of the item property sheets: the line width from 1 to 5 in an edit
// with a spin control; with "Imposta come default" checked, OK also stores the width as the
// user's default for new items.

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/SpinButtonCtrl.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CLinePP : public CPropertyPage {
    DECLARE_DYNAMIC(CLinePP)
public:
    static constexpr UINT kMinWidth = 1;
    static constexpr UINT kMaxWidth = 5;

    CLinePP();

    CSpinButtonCtrl m_spin;
    UINT m_nWidth = kMinWidth;
    int m_bSetDefault = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(NMHDR* header, LRESULT* result) override;
    void OnOK() override;

private:
    void OnDeltaposSpin(NMHDR* header, LRESULT* result);
};

} // namespace vellum
