#pragma once
// CTextPP: the text page of the text box's property sheet: one multi-line edit in which Enter
// starts a new line (a carriage return and a line feed).

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/String.h>

namespace vellum {

class CTextPP : public CPropertyPage {
    DECLARE_DYNAMIC(CTextPP)
public:
    CTextPP();

    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};

} // namespace vellum
