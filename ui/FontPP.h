#pragma once
// CFontPP: the font page of the item property sheets. "Seleziona Font..." opens the font
// chooser on the page's copy of the item's font; with "Imposta come default" checked, OK also
// stores that font as the user's default overlay font.

#include <vellum/Graphics/GraphicFont.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CFontPP : public CPropertyPage {
    DECLARE_DYNAMIC(CFontPP)
public:
    CFontPP();

    BOOL OnCommand(UINT id, UINT code) override;

    int m_bSetDefault = 0;
    int m_bChanged = 0; // set when the user chose a font
    CGraphicFont m_font;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    void OnSelectFont();
};

} // namespace vellum
