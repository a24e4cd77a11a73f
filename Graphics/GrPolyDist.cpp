#include <vellum/Graphics/GrPolyDist.h>

#include <vellum/Graphics/MeasurementSheet.h>
#include <vellum/archive/Archive.h>
#include <vellum/basalt/IntlMeasurement.h>
#include <vellum/platform/DC.h>
#include <vellum/ui/CalibrationDlg.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/Resource.h>

#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGrPolyDist, CGrPolyLine, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr int kArrowHalfAngle = 15;
constexpr int kArrowLength = 10;
constexpr int kDragPenWidth = 2;
constexpr int kPixelDecimals = 0;
} // namespace

// ---------------------------------------------------------------------------------------------
// The label

CGrDistLabel::CGrDistLabel() = default;

CGrDistLabel::~CGrDistLabel() = default;

// Lengths in millimetres or inches with two decimals, as the user's system shows them.
void CGrDistLabel::CreateMeasurement(CRegionalSettings& settings) {
    m_pMeasurement = std::make_unique<CIntlMeasurement>(MEASURE_LENGTH, &settings);
    m_pMeasurement->SetMetricParam(METRIC_MILLIMETRE, 2, 0.0);
    m_pMeasurement->SetEnglishParam(ENGLISH_INCH, 2, 0.0);
}

void CGrDistLabel::OnRegionalSettingsChanged(CRegionalSettings& settings) {
    if (!m_pMeasurement)
        CreateMeasurement(settings);
    SetText(m_pMeasurement->GetString(1, 1));
}

// ---------------------------------------------------------------------------------------------
// The distance

CGrPolyDist::CGrPolyDist() {
    PlaceLabel();
}

CGrPolyDist::CGrPolyDist(CRegionalSettings& settings) {
    m_label.CreateMeasurement(settings);
    PlaceLabel();
}

CGrPolyDist::~CGrPolyDist() = default;

void CGrPolyDist::PlaceLabel() {
    AddLibraryResources(); // the unit "Pixels" is one of the library's strings
    CVector origin(0, 0);
    m_label.SetStart(&origin);
    m_label.SetEnd(&origin, 1);
    m_label.SetText("");
    m_label.SetColor(m_crColor);
}

void CGrPolyDist::SetFocus(int focus) {
    CGrPolyLine::SetFocus(focus);
    m_label.SetFocus(focus);
}

void CGrPolyDist::SetColor(DWORD colour) {
    CGrPolyLine::SetColor(colour);
    m_label.SetColor(colour);
}

void CGrPolyDist::SetDrag(int drag) {
    CGrPolyLine::SetDrag(drag);
    m_label.SetDrag(drag);
}

void CGrPolyDist::SetStart(CVector* point) {
    CGrPolyLine::SetStart(point);
    m_label.InitFont();
}

// While the user draws, the label's anchor follows the newest node.
void CGrPolyDist::SetEnd(CVector* point, int add) {
    CGrPolyLine::SetEnd(point, add);
    m_label.SetEnd(point, 0);
    UpdateValue();
}

void CGrPolyDist::SetResolution(double rx, double ry) {
    m_dResolutionX = rx;
    m_dResolutionY = ry;
    UpdateValue();
}

void CGrPolyDist::SetMagnification(double mx, double my) {
    m_dMagnificationX = mx;
    m_dMagnificationY = my;
    UpdateValue();
}

void CGrPolyDist::SetCalibrated(int) {}

void CGrPolyDist::OnRegionalSettingsChanged(CRegionalSettings& settings) {
    m_label.OnRegionalSettingsChanged(settings);
    UpdateValue();
}

void CGrPolyDist::GetResolution(double* rx, double* ry) const {
    *rx = m_dResolutionX;
    *ry = m_dResolutionY;
}

void CGrPolyDist::GetMagnification(double* mx, double* my) const {
    *mx = m_dMagnificationX;
    *my = m_dMagnificationY;
}

int CGrPolyDist::IsCalibrated() const {
    return IsUsableScale(m_dResolutionX) && IsUsableScale(m_dResolutionY) ? 1 : 0;
}

// Anisotropic pixels are scaled per axis before the Euclidean sum.
int CGrPolyDist::GetMMLength(double* length) {
    if (!IsCalibrated()) {
        *length = GetLength();
        return 0;
    }
    // The nodes placed so far: while the user draws, the array may hold more than the count.
    *length = 0.0;
    const double mx = IsUsableScale(m_dMagnificationX) ? m_dMagnificationX : 1.0;
    const double my = IsUsableScale(m_dMagnificationY) ? m_dMagnificationY : 1.0;
    for (int i = 0; i + 1 < m_nNodeCount; ++i) {
        const CVector d = m_aNodes.GetAt(i + 1) - m_aNodes.GetAt(i);
        const double dx = d.x / m_dResolutionX / mx;
        const double dy = d.y / m_dResolutionY / my;
        *length += std::sqrt(dx * dx + dy * dy);
    }
    return 1;
}

double CGrPolyDist::GetValue() {
    double length = 0.0;
    GetMMLength(&length);
    return std::isfinite(length) ? length : 0.0;
}

void CGrPolyDist::UpdateValue() {
    double length = 0.0;
    const int calibrated = GetMMLength(&length);
    if (!std::isfinite(length)) {
        m_label.SetText("");
    } else if (calibrated) {
        CIntlMeasurement* measurement = m_label.GetMeasurement();
        if (measurement) {
            measurement->SetMMValue(length);
            m_label.SetText(measurement->GetString(1, 1));
        } else {
            m_label.SetText("");
        }
    } else {
        CString unit;
        unit.LoadString(IDS_PIXELS);
        m_label.SetDoubleValue(length, kPixelDecimals, unit);
    }
}

CString CGrPolyDist::GetDistanceStr() const {
    return m_label.Text();
}

double CGrPolyDist::SetStringValue(CString text) {
    CIntlMeasurement* measurement = m_label.GetMeasurement();
    if (!measurement)
        return 0.0;
    measurement->SetString(text);
    return measurement->GetValue();
}

int CGrPolyDist::Calibrate() {
    const double pixels = GetLength();
    CIntlMeasurement* measurement = m_label.GetMeasurement();
    if (!measurement || !IsUsableScale(pixels))
        return 0;
    CCalibrationDlg dialog;
    dialog.m_strCurrentValue = GetDistanceStr();
    if (IsCalibrated())
        dialog.m_strActualValue = GetDistanceStr();
    else
        dialog.m_strActualValue.Format("? %s", measurement->GetUnitString().GetString());
    dialog.m_pLengthReader = measurement;
    if (dialog.DoModal() != IDOK)
        return 0;
    const double metres = SetStringValue(dialog.m_strActualValue);
    const double resolution = pixels / metres / 1000.0;
    if (!IsUsableScale(resolution)) {
        UpdateValue(); // the reader's value was the typed one: show the length again
        return 0;
    }
    if (dialog.m_nBothAxes)
        SetResolution(resolution, resolution);
    else if (dialog.m_nVerticalOnly)
        SetResolution(m_dResolutionX, resolution);
    else if (dialog.m_nHorizontalOnly)
        SetResolution(resolution, m_dResolutionY);
    else
        UpdateValue();
    return 1;
}

int CGrPolyDist::HitTest(CVector* point, double zoom) {
    if (m_rcLabelFrame.PtInRect(*point))
        return hitLabel;
    if (const int node = PntInNode(point, zoom))
        return node;
    return PntInNodeLines(point, zoom) != -1 ? hitBody : 0;
}

CRect CGrPolyDist::GetBoundsRect(int inflate) {
    CRect bounds = CGrPolyLine::GetBoundsRect(inflate);
    bounds.UnionRect(&bounds, &m_rcLabelFrame);
    if (inflate)
        bounds.InflateRect(m_nGap, m_nGap);
    return bounds;
}

void CGrPolyDist::Move(double dx, double dy, int node) {
    if (node == hitLabel) {
        m_label.Move(dx, dy, hitBody);
        m_label.UpdateRect();
        return;
    }
    CGrPolyLine::Move(dx, dy, node);
    if (node > 0)
        UpdateValue();
}

void CGrPolyDist::Rotate(double angle, CVector* centre) {
    if (!centre)
        return;
    CGrPolyLine::Rotate(angle, centre);
    m_label.Rotate(angle, centre);
}

int CGrPolyDist::Properties(CWnd* parent, LONG) {
    return RunMeasurementSheet(parent, *this, m_label);
}

void CGrPolyDist::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    if (m_nNodeCount < 2)
        return;
    CGrPolyLine::Draw(dc, zoom, types, 0, 1.0);
    if (!(types & drawNoLabels))
        m_label.Draw(dc, zoom, static_cast<WORD>((types & ~drawTransient) | drawOwnLabel), 0, 1.0);

    m_pen.DeleteObject();
    if (m_bDrag)
        m_pen.CreatePen(PS_SOLID, kDragPenWidth, RGB(0, 0, 0));
    else
        m_pen.CreatePen(PS_SOLID, MeasurementPenWidth(zoom, m_dLineWidth), m_crColor);
    CPen* previous = dc->SelectObject(&m_pen);
    const int previousMode = dc->SetBkMode(TRANSPARENT);

    // Both arrowheads point outwards, away from the measured path.
    CheckNodeArray();
    CVector first = m_pNodes[0];
    CVector last = m_pNodes[m_nNodeCount - 1];
    DrawArrowHead(dc, &first, (first - m_pNodes[1]).Angle(nullptr), zoom, kArrowHalfAngle,
                  kArrowLength);
    DrawArrowHead(dc, &last, (last - m_pNodes[m_nNodeCount - 2]).Angle(nullptr), zoom,
                  kArrowHalfAngle, kArrowLength);

    if (!(types & drawNoLabels)) {
        dc->SelectObject(previous);
        m_pen.DeleteObject();
        CreateDotPen(dc);
        const CRect frame = m_label.DrawConnection(dc, &last, zoom);
        if (!(types & drawTransient))
            m_rcLabelFrame = frame;
    }
    dc->SetBkMode(previousMode);
    dc->SelectObject(previous);
    m_pen.DeleteObject();
}

// The label travels inline after the distance's tag; resolution, magnification and the frame
// are not stored, so a loaded distance shows pixels until its list hands it the resolution.
void CGrPolyDist::Serialize(CArchive& ar) {
    CGrPolyLine::Serialize(ar);
    SerializeInt(m_nDistTag, ar);
    m_label.Serialize(ar);
    UpdateValue();
}

} // namespace vellum
