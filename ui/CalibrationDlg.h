#pragma once
// CCalibrationDlg: the user types the true length of a measured distance. It shows the current
// value and the direction the calibration applies to; "Direzione..." lets the user choose the
// direction in CAdvancedCalibrationDlg. The caller sets both strings, runs the dialog and on
// OK reads the typed length and the three direction flags.
//
// With a length reader set, OK accepts only a text that the reader takes as a length greater
// than zero; anything else keeps the dialog open with a prompt and the focus on the entry.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CIntlMeasurement;

class CCalibrationDlg : public CDialog {
    DECLARE_DYNAMIC(CCalibrationDlg)
public:
    static constexpr const char* kLengthPrompt = "Please enter a length greater than 0.";

    explicit CCalibrationDlg(CWnd* parent = nullptr);

    BOOL OnCommand(UINT id, UINT code) override;

    CString m_strCurrentValue;
    CString m_strActualValue;
    int m_nBothAxes = 1;
    int m_nVerticalOnly = 0;
    int m_nHorizontalOnly = 0;
    // Reads typed lengths for the check on OK; not owned, may be null.
    const CIntlMeasurement* m_pLengthReader = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnDirectionButton();
    void ShowDirection();
};

} // namespace vellum
