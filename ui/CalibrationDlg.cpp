#include <vellum/ui/CalibrationDlg.h>

#include <vellum/basalt/IntlMeasurement.h>
#include <vellum/platform/DataExchange.h>
#include <vellum/platform/UiHost.h>
#include <vellum/ui/AdvancedCalibrationDlg.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

#include <cmath>

namespace vellum {

IMPLEMENT_DYNAMIC(CCalibrationDlg, CDialog)

namespace {
// A length the reader takes, greater than zero and finite.
bool IsPositiveLength(const CIntlMeasurement& reader, const CString& text) {
    CIntlMeasurement parse(reader);
    if (!parse.SetString(text))
        return false;
    const double metres = parse.GetValue();
    return std::isfinite(metres) && metres > 0.0;
}
} // namespace

CCalibrationDlg::CCalibrationDlg(CWnd* parent) : CDialog(IDD_CALIBRATION, parent) {
    AddLibraryResources();
}

BOOL CCalibrationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowDirection();
    return TRUE;
}

void CCalibrationDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_CURRENT_VALUE, m_strCurrentValue);
    DDX_Text(dx, IDC_ACTUAL_VALUE, m_strActualValue);
    if (dx->m_bSaveAndValidate && m_pLengthReader &&
        !IsPositiveLength(*m_pLengthReader, m_strActualValue)) {
        AfxGetUiHost().MessageBox(this, kLengthPrompt, nullptr, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

BOOL CCalibrationDlg::OnCommand(UINT id, UINT code) {
    if (static_cast<int>(id) == IDC_DIRECTION_BUTTON && code == BN_CLICKED) {
        OnDirectionButton();
        return TRUE;
    }
    return CDialog::OnCommand(id, code);
}

void CCalibrationDlg::OnDirectionButton() {
    CAdvancedCalibrationDlg direction;
    direction.m_nHorizontalOnly = m_nHorizontalOnly;
    direction.m_nVerticalOnly = m_nVerticalOnly;
    direction.m_nBothAxes = m_nBothAxes;
    if (direction.DoModal() != IDOK)
        return;
    m_nHorizontalOnly = direction.m_nHorizontalOnly;
    m_nVerticalOnly = direction.m_nVerticalOnly;
    m_nBothAxes = direction.m_nBothAxes;
    ShowDirection();
}

void CCalibrationDlg::ShowDirection() {
    CString text;
    if (m_nHorizontalOnly)
        text.LoadString(IDS_HORIZONTAL_ONLY);
    else if (m_nVerticalOnly)
        text.LoadString(IDS_VERTICAL_ONLY);
    else if (m_nBothAxes)
        text.LoadString(IDS_BOTH_AXES);
    else
        text = "<error - not defined>";
    SetDlgItemText(IDC_DIRECTION, text);
}

} // namespace vellum
