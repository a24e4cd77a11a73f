#pragma once
// CSymbolSelectionDlg: "Selezione Simbolo", from which the user picks a symbol of a library:
// the shown groups on the left, the shown symbols of the selected group on the right, and
// "Opzioni..." to hide or show groups and symbols. OK with a group and a symbol selected
// makes a copy of that symbol, which the caller takes with TakeSymbol.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/ListBox.h>
#include <vellum/platform/String.h>

#include <memory>

namespace vellum {

class CGraphicItemList;
class CGraphicSymbol;

class CSymbolSelectionDlg : public CDialog {
    DECLARE_DYNAMIC(CSymbolSelectionDlg)
public:
    explicit CSymbolSelectionDlg(CGraphicItemList* library, CWnd* parent = nullptr);
    ~CSymbolSelectionDlg() override;

    BOOL OnCommand(UINT id, UINT code) override;
    // The symbol chosen with OK, now the caller's; null when none was chosen.
    CGraphicSymbol* TakeSymbol();
    const CString& GetCurrentGroup() const { return m_strCurrentGroup; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    void OnSelChangeGroup();
    void OnOptions();

    CListBox m_lbSymbols;
    CListBox m_lbGroups;
    std::unique_ptr<CGraphicSymbol> m_pSymbol;
    CGraphicItemList* m_pLibrary;
    CString m_strCurrentGroup;
};

} // namespace vellum
