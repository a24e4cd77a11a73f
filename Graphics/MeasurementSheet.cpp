#include <vellum/Graphics/MeasurementSheet.h>

#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/Wnd.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>

#include <algorithm>
#include <cmath>

namespace vellum {

int RunMeasurementSheet(CWnd* parent, CGraphicItem& item, CGraphicTextLine& label) {
    CLinePP linePage;
    linePage.m_nWidth = static_cast<UINT>(TruncateToLong(item.GetLineWidth()));
    CColorPP colourPage;
    colourPage.m_crColor = item.GetColor();
    CFontPP fontPage;
    fontPage.m_font = label.GetFont();
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&linePage);
    sheet.AddPage(&colourPage);
    sheet.AddPage(&fontPage);
    if (sheet.DoModal() != IDOK)
        return 0;
    item.SetLineWidth(linePage.m_nWidth);
    item.SetColor(colourPage.m_crColor);
    if (fontPage.m_bChanged) {
        label.GetFont() = fontPage.m_font;
        label.UpdateRect();
        if (parent)
            parent->Invalidate(FALSE);
    }
    return 1;
}

int MeasurementPenWidth(double zoom, double lineWidth) {
    return TruncateToLong(std::max(std::min(zoom, 1.0) * lineWidth + 0.5, 1.0));
}

bool IsUsableScale(double value) {
    return std::isfinite(value) && value > 0.0;
}

} // namespace vellum
