#include "TypingUiHost.h"

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/ui/Resource.h>

namespace vellum::tool {

void TypingUiHost::RunPropertySheet(CPropertySheet& sheet) {
    CPropertyPage* page = sheet.GetActivePage();
    if (m_texts.empty() || !page || !page->TypeText(IDC_TEXT, m_texts.front())) {
        CHeadlessUiHost::RunPropertySheet(sheet);
        return;
    }
    m_texts.pop_front();
    sheet.PressOK();
}

} // namespace vellum::tool
