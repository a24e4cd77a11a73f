#pragma once
// CSymbolOptionsDlg: "Opzioni Simboli", where the user hides or shows whole groups of a
// library and single symbols. Every change is stored at once; Cancel hides again whatever
// was hidden when the dialog opened, from the two state files written as it opened (see
// CGraphicItemList::groupsStateFile), and both OK and Cancel remove those files.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/ListBox.h>
#include <vellum/platform/String.h>

namespace vellum {

class CGraphicItemList;

// The options dialog's check lists: a check list box with a class of its own.
class CMyCheckListBox : public CCheckListBox {
    DECLARE_DYNAMIC(CMyCheckListBox)
};

class CSymbolOptionsDlg : public CDialog {
    DECLARE_DYNAMIC(CSymbolOptionsDlg)
public:
    // initialGroup, when a group of the list, is selected as the dialog opens.
    CSymbolOptionsDlg(CGraphicItemList* library, const char* initialGroup, CWnd* parent = nullptr);

    BOOL OnCommand(UINT id, UINT code) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnSelChangeGroup();
    void OnSelChangeSymbol();
    // A double click toggles the line's check, then acts as a selection change.
    static void ToggleSelected(CCheckListBox& list);

    CGraphicItemList* m_pLibrary;
    CMyCheckListBox m_lbGroups;
    CMyCheckListBox m_lbSymbols;
    CString m_strInitialGroup;
};

} // namespace vellum
