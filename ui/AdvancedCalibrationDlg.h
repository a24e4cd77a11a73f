#pragma once
// CAdvancedCalibrationDlg: chooses whether a calibration applies to both axes or to one. The
// caller presets the three flags and reads them back after OK; exactly one is set after any
// click on the radio buttons.

#include <vellum/platform/Dialog.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CAdvancedCalibrationDlg : public CDialog {
    DECLARE_DYNAMIC(CAdvancedCalibrationDlg)
public:
    explicit CAdvancedCalibrationDlg(CWnd* parent = nullptr);

    BOOL OnCommand(UINT id, UINT code) override;

    int m_nHorizontalOnly = 0;
    int m_nVerticalOnly = 0;
    int m_nBothAxes = 0;

protected:
    BOOL OnInitDialog() override;

private:
    void OnHorizontalCalibrationBtn();
    void OnVerticalCalibrationBtn();
    void OnNormalCalibrationBtn();
    void Choose(int horizontalOnly, int verticalOnly, int bothAxes);
};

} // namespace vellum
