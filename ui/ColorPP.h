#pragma once
// CColorPP: the colour page of the item property sheets. "Seleziona Colori..." opens the
// colour chooser; with "Imposta come default" checked, OK also stores the colour as the
// user's default for new items.

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CColorPP : public CPropertyPage {
    DECLARE_DYNAMIC(CColorPP)
public:
    CColorPP();

    BOOL OnCommand(UINT id, UINT code) override;

    int m_bSetDefault = 0;
    COLORREF m_crColor = 0;
    int m_bChanged = 0; // set when the user chose a colour

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    void OnSelectColor();
};

} // namespace vellum
