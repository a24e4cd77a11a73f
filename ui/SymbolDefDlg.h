#pragma once
// CSymbolDefDlg: "Definizione Simbolo", where a new symbol gets its name, its info and its
// real width and height in millimetres (each from 0 to 500).

#include <vellum/platform/Dialog.h>
#include <vellum/platform/String.h>

namespace vellum {

class CSymbolDefDlg : public CDialog {
    DECLARE_DYNAMIC(CSymbolDefDlg)
public:
    static constexpr double kMaxSize = 500.0;

    explicit CSymbolDefDlg(CWnd* parent = nullptr);

    CString m_strName;
    double m_dWidth = 0.0;
    double m_dHeight = 0.0;
    CString m_strInfo;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};

} // namespace vellum
