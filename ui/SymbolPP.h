#pragma once
// CSymbolPP: the general page of a symbol's property sheet: the symbol's name and info as
// text, and "Congela simbolo", which keeps the symbol from being dragged or turned.

#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/String.h>

namespace vellum {

class CSymbolPP : public CPropertyPage {
    DECLARE_DYNAMIC(CSymbolPP)
public:
    CSymbolPP();

    CString m_strName;
    int m_bFreeze = 0;
    CString m_strInfo;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};

} // namespace vellum
