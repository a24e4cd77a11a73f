#include <vellum/ui/AdvancedCalibrationDlg.h>

#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

namespace vellum {

IMPLEMENT_DYNAMIC(CAdvancedCalibrationDlg, CDialog)

CAdvancedCalibrationDlg::CAdvancedCalibrationDlg(CWnd* parent)
    : CDialog(IDD_ADVANCED_CALIBRATION, parent) {
    AddLibraryResources();
}

// The first flag set, in the order both axes, vertical, horizontal, picks the radio button
// and clears the others; with no flag set no button is checked.
BOOL CAdvancedCalibrationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_nBothAxes)
        Choose(0, 0, 1);
    else if (m_nVerticalOnly)
        Choose(0, 1, 0);
    else if (m_nHorizontalOnly)
        Choose(1, 0, 0);
    return TRUE;
}

BOOL CAdvancedCalibrationDlg::OnCommand(UINT id, UINT code) {
    if (code == BN_CLICKED) {
        switch (static_cast<int>(id)) {
        case IDC_HORIZONTAL_ONLY:
            OnHorizontalCalibrationBtn();
            return TRUE;
        case IDC_VERTICAL_ONLY:
            OnVerticalCalibrationBtn();
            return TRUE;
        case IDC_BOTH_AXES:
            OnNormalCalibrationBtn();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(id, code);
}

void CAdvancedCalibrationDlg::OnHorizontalCalibrationBtn() {
    Choose(1, 0, 0);
}

void CAdvancedCalibrationDlg::OnVerticalCalibrationBtn() {
    Choose(0, 1, 0);
}

void CAdvancedCalibrationDlg::OnNormalCalibrationBtn() {
    Choose(0, 0, 1);
}

void CAdvancedCalibrationDlg::Choose(int horizontalOnly, int verticalOnly, int bothAxes) {
    m_nHorizontalOnly = horizontalOnly;
    m_nVerticalOnly = verticalOnly;
    m_nBothAxes = bothAxes;
    CheckDlgButton(IDC_HORIZONTAL_ONLY, horizontalOnly ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VERTICAL_ONLY, verticalOnly ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BOTH_AXES, bothAxes ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace vellum
