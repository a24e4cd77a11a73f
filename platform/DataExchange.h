#pragma once
// Dialog data exchange and validation, as the framework writes it: a dialog's DoDataExchange
// lists its members with DDX_ calls (value <-> control) each followed by its DDV_ checks.
// Loading (UpdateData(FALSE)) writes the members into the controls; saving
// (UpdateData(TRUE)) reads them back, and the first value that cannot be read or is out of
// range shows the framework's prompt, puts the focus on the control and abandons the exchange.

#include <vellum/platform/Exceptions.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CDialog;
class CDialogItem;
class CDialogItemWnd;

// Abandons an operation after the user has been told why; UpdateData catches it.
class CUserException : public CException {
public:
    CUserException() : CException("operation abandoned by the user") {}
};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls into members
    CDialog* m_pDlgWnd;

    // The control that the following checks are about. A control missing from the template
    // is a programming error: CInvalidArgException.
    CDialogItem* PrepareCtrl(int id);
    CDialogItem* PrepareEditCtrl(int id);
    // Puts the focus on the last prepared control and abandons the exchange.
    [[noreturn]] void Fail();

private:
    int m_idLastControl = 0;
};

// Numbers are written as the framework writes them (doubles with 15 significant digits) and
// read with surrounding blanks allowed and nothing else after them.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// A check box's or radio button's state: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Binds a control member (a spin control, ...) to its control.
void DDX_Control(CDataExchange* dx, int id, CDialogItemWnd& control);

// Range checks of the value just exchanged; they run when saving only.
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minValue, double maxValue);

} // namespace vellum
