#include <vellum/Graphics/GrAngle.h>

#include <vellum/Graphics/MeasurementSheet.h>
#include <vellum/archive/Archive.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Locale.h>

#include <algorithm>
#include <cmath>

namespace vellum {

IMPLEMENT_SERIAL(CGrAngle, CGrPolyLine, VERSIONABLE_SCHEMA | 1)

namespace {
constexpr int kDragPenWidth = 2;
// The degree sign in Windows-1252, and in Shift-JIS for a Japanese thread locale.
constexpr const char* kDegree = "\xB0";
constexpr const char* kDegreeJapanese = "\x81\x8B";

bool HasDirection(const CVector& arm) {
    return std::isfinite(arm.x) && std::isfinite(arm.y) && (arm.x != 0.0 || arm.y != 0.0);
}

// The angle between the arms in degrees, folded into 0 … 180.
double AngleBetween(const CVector& arm1, const CVector& arm2) {
    const CVector reference(100, 0);
    const double a1 = reference.Angle(&arm1);
    const double a2 = reference.Angle(&arm2);
    double d = std::fabs((a1 - a2) * 180 / PI);
    if (d > 180)
        d = 360 - d;
    return d;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// The label

CGrAngleLabel::CGrAngleLabel() = default;

CGrAngleLabel::~CGrAngleLabel() = default;

void CGrAngleLabel::SetResolution(double rx, double ry) {
    m_dResolutionX = rx;
    m_dResolutionY = ry;
}

void CGrAngleLabel::SetMagnification(double mx, double my) {
    m_dMagnificationX = mx;
    m_dMagnificationY = my;
}

int CGrAngleLabel::IsCalibrated() const {
    return IsUsableScale(m_dResolutionX) && IsUsableScale(m_dResolutionY) ? 1 : 0;
}

// Anisotropic pixels change angles: in millimetres the arms show the true one.
void CGrAngleLabel::SetArms(CVector* a, CVector* b) {
    if (IsCalibrated()) {
        const double sx =
            m_dResolutionX * (IsUsableScale(m_dMagnificationX) ? m_dMagnificationX : 1.0);
        const double sy =
            m_dResolutionY * (IsUsableScale(m_dMagnificationY) ? m_dMagnificationY : 1.0);
        m_vArm1 = CVector(a->x / sx, a->y / sy);
        m_vArm2 = CVector(b->x / sx, b->y / sy);
    } else {
        m_vArm1 = *a;
        m_vArm2 = *b;
    }
    UpdateText();
}

void CGrAngleLabel::UpdateText() {
    if (!HasDirection(m_vArm1) || !HasDirection(m_vArm2)) {
        SetText("?");
        return;
    }
    const double d = AngleBetween(m_vArm1, m_vArm2);
    const char* degree =
        PRIMARYLANGID(GetThreadLocale()) == LANG_JAPANESE ? kDegreeJapanese : kDegree;
    CString text;
    text.Format("%.1f%s (%.1f%s)", d, degree, 360 - d, degree);
    SetText(text);
}

// ---------------------------------------------------------------------------------------------
// The angle

CGrAngle::CGrAngle() {
    m_aNodes.SetSize(kNodes);
    m_pNodes = m_aNodes.GetData();
    CVector origin(0, 0);
    m_label.SetStart(&origin);
    m_label.SetEnd(&origin, 1);
    m_label.SetColor(m_crColor);
}

CGrAngle::~CGrAngle() = default;

void CGrAngle::CheckNodeArray() {
    m_pNodes = m_aNodes.GetData();
}

int CGrAngle::AcceptMoreNodes() {
    return m_nNodeCount < kNodes ? 1 : 0;
}

void CGrAngle::SetFocus(int focus) {
    CGrPolyLine::SetFocus(focus);
    m_label.SetFocus(focus);
}

void CGrAngle::SetColor(DWORD colour) {
    CGrPolyLine::SetColor(colour);
    m_label.SetColor(colour);
}

void CGrAngle::SetDrag(int drag) {
    CGrPolyLine::SetDrag(drag);
    m_label.SetDrag(drag);
}

void CGrAngle::SetStart(CVector* point) {
    CGrPolyLine::SetStart(point);
    m_label.InitFont();
}

void CGrAngle::SetEnd(CVector* point, int add) {
    m_label.SetEnd(point, 0);
    CGrPolyLine::SetEnd(point, add);
}

void CGrAngle::SetResolution(double rx, double ry) {
    m_label.SetResolution(rx, ry);
}

void CGrAngle::SetMagnification(double mx, double my) {
    m_label.SetMagnification(mx, my);
}

bool CGrAngle::HasSharedVertex() const {
    return m_nNodeCount >= 3 && m_aNodes[1] == m_aNodes[2];
}

// Each arm points from its line's inner end outwards.
void CGrAngle::UpdateValue() {
    if (m_nNodeCount < kNodes)
        return;
    CVector a = m_aNodes[0] - m_aNodes[1];
    CVector b = m_aNodes[3] - m_aNodes[2];
    m_label.SetArms(&a, &b);
}

double CGrAngle::GetDegrees() {
    UpdateValue();
    const CVector arm1 = m_label.GetArm(0);
    const CVector arm2 = m_label.GetArm(1);
    if (m_nNodeCount < kNodes || !HasDirection(arm1) || !HasDirection(arm2))
        return std::nan("");
    return AngleBetween(arm1, arm2);
}

int CGrAngle::HitTest(CVector* point, double zoom) {
    m_nHitSegment = -1;
    if (m_rcLabelFrame.PtInRect(*point))
        return hitLabel;
    if (const int node = PntInNode(point, zoom))
        return node;
    const int segment = PntInNodeLines(point, zoom);
    if (segment == -1)
        return 0;
    m_nHitSegment = segment;
    return hitBody;
}

CRect CGrAngle::GetBoundsRect(int inflate) {
    CRect bounds = CGrPolyLine::GetBoundsRect(inflate);
    bounds.UnionRect(&bounds, &m_rcLabelFrame);
    if (inflate)
        bounds.InflateRect(m_nGap, m_nGap);
    return bounds;
}

void CGrAngle::MoveNode(double dx, double dy, int node) {
    CGrPolyLine::Move(dx, dy, node);
}

void CGrAngle::Move(double dx, double dy, int node) {
    if (node == hitLabel) {
        m_label.Move(dx, dy, hitBody);
        return;
    }
    if (node > 0)
        UpdateValue();
    if (node == hitWhole) {
        CGrPolyLine::Move(dx, dy, hitBody);
    } else if (node == hitBody) {
        switch (m_nHitSegment) {
        case 0:
            MoveNode(dx, dy, 1);
            MoveNode(dx, dy, 2);
            break;
        case 1:
            CGrPolyLine::Move(dx, dy, hitBody);
            break;
        case 2:
            MoveNode(dx, dy, 3);
            MoveNode(dx, dy, 4);
            break;
        default:
            break;
        }
    } else {
        // The shared vertex stays shared: its two nodes move together.
        const bool shared = HasSharedVertex();
        MoveNode(dx, dy, node);
        if (shared && node == 2)
            MoveNode(dx, dy, 3);
        else if (shared && node == 3)
            MoveNode(dx, dy, 2);
    }
}

void CGrAngle::Rotate(double angle, CVector* centre) {
    if (!centre)
        return;
    CGrPolyLine::Rotate(angle, centre);
    m_label.Rotate(angle, centre);
}

int CGrAngle::Properties(CWnd* parent, LONG) {
    return RunMeasurementSheet(parent, *this, m_label);
}

void CGrAngle::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    if (m_nNodeCount < 2)
        return;
    UpdateValue();
    if (!(types & drawNoLabels))
        m_label.Draw(dc, zoom, static_cast<WORD>((types & ~drawTransient) | drawOwnLabel), 0, 1.0);

    m_pen.DeleteObject();
    if (m_bDrag)
        m_pen.CreatePen(PS_SOLID, kDragPenWidth, RGB(0, 0, 0));
    else
        m_pen.CreatePen(PS_SOLID, MeasurementPenWidth(zoom, m_dLineWidth), m_crColor);
    CPen* previous = dc->SelectObject(&m_pen);
    const int previousMode = dc->SetBkMode(TRANSPARENT);

    CheckNodeArray();
    dc->MoveTo(ToDevice(m_pNodes[0], zoom));
    dc->LineTo(ToDevice(m_pNodes[1], zoom));
    if (m_nNodeCount >= kNodes) {
        dc->MoveTo(ToDevice(m_pNodes[2], zoom));
        dc->LineTo(ToDevice(m_pNodes[3], zoom));
    }

    // The dotted join of the two lines: a dot where the vertex is shared.
    dc->SelectObject(previous);
    m_pen.DeleteObject();
    CreateDotPen(dc);
    if (m_nNodeCount >= 3) {
        dc->MoveTo(ToDevice(m_pNodes[1], zoom));
        dc->LineTo(ToDevice(m_pNodes[2], zoom));
    }
    if (!(types & drawNoLabels)) {
        // Node 4 is the anchor, the origin until it is placed (a loaded angle may hold fewer
        // nodes).
        CVector anchor = m_aNodes.GetSize() >= kNodes ? m_aNodes[kNodes - 1] : CVector(0, 0);
        const CRect frame = m_label.DrawConnection(dc, &anchor, zoom);
        if (!(types & drawTransient))
            m_rcLabelFrame = frame;
    }

    // A body pick shows the handles of the segment picked.
    const int focus = HasFocus();
    if (focus && !m_bDrag) {
        if (focus != hitBody) {
            HiliteNodes(dc, zoom, types, 0);
        } else if (m_nHitSegment == 1) {
            HiliteNodes(dc, zoom, types, 0);
        } else if (m_nHitSegment == 0 || m_nHitSegment == 2) {
            HiliteNodes(dc, zoom, types, m_nHitSegment + 1);
            HiliteNodes(dc, zoom, types, m_nHitSegment + 2);
        }
    }
    dc->SetBkMode(previousMode);
    dc->SelectObject(previous);
    m_pen.DeleteObject();
}

// The node count is 4 after storing and loading, whatever was placed; the label's arms,
// resolution and magnification are not stored.
void CGrAngle::Serialize(CArchive& ar) {
    CGrPolyLine::Serialize(ar);
    SerializeInt(m_nAngleTag, ar);
    m_nNodeCount = std::min(kNodes, static_cast<int>(m_aNodes.GetSize()));
    m_label.Serialize(ar);
    UpdateValue();
}

} // namespace vellum
