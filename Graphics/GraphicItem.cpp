#include <vellum/Graphics/GraphicItem.h>

#include <vellum/Graphics/GraphicLine.h>
#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/geometry/GraphMatrix.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicItem, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
// Nodes are read in batches so that a damaged count costs no more memory than the data
// actually holds before it runs out.
constexpr DWORD kNodeBatch = 4096;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kDragPenWidth = 2;

// Hit bounds are given only for nodes this close to the origin, and gaps up to this size, so
// that no rectangle computed from them can wrap around.
constexpr std::int64_t kFarNode = std::int64_t{1} << 29;
constexpr int kLargestGap = 1 << 20;

std::atomic<std::uint64_t> s_nodesEpoch{0};

// The low 8 bits of a number read as atoi reads it (sign, then leading digits).
BYTE ColourComponent(const char* text) {
    return static_cast<BYTE>(std::strtoll(text, nullptr, 10) & 0xFF);
}
} // namespace

CGraphicItem::CGraphicItem() = default;

CGraphicItem::~CGraphicItem() = default;

int CGraphicItem::Tolerance(double zoom) const {
    int h = TruncateToLong(m_nGap / zoom);
    h = std::max(h, 1);
    return std::min(h, 2 * m_nGap);
}

int CGraphicItem::PntInNode(CVector* point, double zoom) {
    CheckNodeArray();
    const std::int64_t h = Tolerance(zoom);
    const POINT p = *point;
    for (int i = 0; i < m_nNodeCount; ++i) {
        const POINT n = m_pNodes[i];
        // A square of side 2h around the node, right and bottom edges excluded; 64-bit so
        // that nodes at the ends of the integer range cannot overflow.
        if (n.x - h <= p.x && p.x < n.x + h && n.y - h <= p.y && p.y < n.y + h)
            return i + 1;
    }
    return 0;
}

int CGraphicItem::HitTest(CVector* point, double zoom) {
    if (const int node = PntInNode(point, zoom))
        return node;
    CRect bounds = GetBoundsRect(1);
    bounds.InflateRect(m_nGap, m_nGap);
    return bounds.PtInRect(*point) ? hitBody : 0;
}

CRect CGraphicItem::GetBoundsRect(int inflate) {
    if (m_nNodeCount < 2)
        return CRect(0, 0, 0, 0);
    CheckNodeArray();
    CRect result;
    for (int i = 0; i + 1 < m_nNodeCount; ++i) {
        CRect segment(m_pNodes[i], m_pNodes[i + 1]);
        segment.NormalizeRect();
        if (segment.Width() == 0 || segment.Height() == 0)
            segment.InflateRect(1, 1);
        if (i == 0)
            result = segment;
        else
            result.UnionRect(&result, &segment);
    }
    if (inflate)
        result.InflateRect(m_nGap, m_nGap);
    return result;
}

CVector CGraphicItem::GetCenterPoint() {
    // Integer halves, truncated toward zero.
    return CVector(GetBoundsRect(1).CenterPoint());
}

void CGraphicItem::Move(double dx, double dy, int node) {
    CheckNodeArray();
    if (node == hitBody) {
        for (int i = 0; i < m_nNodeCount; ++i) {
            m_pNodes[i].x += dx;
            m_pNodes[i].y += dy;
        }
    } else if (node > 0 && node <= m_nNodeCount) {
        m_pNodes[node - 1].x += dx;
        m_pNodes[node - 1].y += dy;
    }
    NodesChanged();
}

void CGraphicItem::Rotate(double angle, CVector* centre) {
    CheckNodeArray();
    const CVector c = centre ? *centre : GetCenterPoint();
    for (int i = 0; i < m_nNodeCount; ++i)
        m_pNodes[i].Rotate(angle, &c);
    NodesChanged();
}

void CGraphicItem::Scale(double sx, double sy, CVector* centre) {
    CheckNodeArray();
    if (!(sx > 0 && sy > 0))
        return;
    const CVector c = centre ? *centre : GetCenterPoint();
    for (int i = 0; i < m_nNodeCount; ++i) {
        CVector& p = m_pNodes[i];
        p = CVector(c.x + sx * (p.x - c.x), c.y + sy * (p.y - c.y));
    }
    NodesChanged();
}

void CGraphicItem::SetStart(CVector* point) {
    // The array is not grown: kinds that start here size it in their constructor.
    m_aNodes.SetAt(m_nNodeCount, *point);
    ++m_nNodeCount;
    NodesChanged();
}

void CGraphicItem::SetEnd(CVector* point, int add) {
    try {
        if (add) {
            m_aNodes.SetAtGrow(m_nNodeCount, *point);
            ++m_nNodeCount;
        } else {
            m_aNodes.SetAt(m_nNodeCount - 1, *point);
        }
        NodesChanged();
    } catch (const CInvalidArgException&) {
        // No node to overwrite: the item stays as it was.
    }
}

void CGraphicItem::SetFontSize(int) {}

int CGraphicItem::GetFontSize() {
    return -1;
}

int CGraphicItem::Properties(CWnd* parent, LONG) {
    CColorPP colourPage;
    colourPage.m_crColor = GetColor();
    CLinePP linePage;
    linePage.m_nWidth = static_cast<UINT>(TruncateToLong(m_dLineWidth));
    CPropertySheet sheet(IDS_PROPERTIES, parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&colourPage);
    sheet.AddPage(&linePage);
    if (sheet.DoModal() != IDOK)
        return 0;
    SetColor(colourPage.m_crColor);
    m_dLineWidth = linePage.m_nWidth;
    return 1;
}

void CGraphicItem::CheckNodeArray() {
    m_pNodes = m_aNodes.GetData();
    m_nNodeCount = static_cast<int>(m_aNodes.GetSize());
}

int CGraphicItem::AcceptMoreNodes() {
    return 0;
}

void CGraphicItem::SetMagnification(double, double) {}

void CGraphicItem::OnRegionalSettingsChanged(CRegionalSettings&) {}

void CGraphicItem::SetResolution(double, double) {}

void CGraphicItem::FlipHorizontal(LONG axis) {
    CheckNodeArray();
    for (int i = 0; i < m_nNodeCount; ++i)
        m_pNodes[i].x = 2.0 * axis - m_pNodes[i].x;
    NodesChanged();
}

void CGraphicItem::SetCalibrated(int) {}

void CGraphicItem::SetOwnCursor() {}

BOOL CGraphicItem::GetHitBounds(CRect*) {
    return FALSE;
}

std::uint64_t CGraphicItem::NodesEpoch() {
    return s_nodesEpoch.load(std::memory_order_relaxed);
}

void CGraphicItem::NodesChanged() {
    s_nodesEpoch.fetch_add(1, std::memory_order_relaxed);
}

BOOL CGraphicItem::NodeHitBounds(CRect* bounds, bool withBaseBody) {
    CheckNodeArray();
    if (m_nGap < 0 || m_nGap > kLargestGap)
        return FALSE;
    std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    const auto unite = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
        if (l >= r || t >= b)
            return;
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    };
    // A node square reaches Tolerance(zoom) from its node, never more than twice the gap.
    const std::int64_t reach = 2 * std::int64_t{m_nGap};
    for (int i = 0; i < m_nNodeCount; ++i) {
        const POINT n = m_pNodes[i];
        if (std::abs(std::int64_t{n.x}) > kFarNode || std::abs(std::int64_t{n.y}) > kFarNode)
            return FALSE;
        unite(n.x - reach, n.y - reach, n.x + reach, n.y + reach);
    }
    if (withBaseBody) {
        CRect body = CGraphicItem::GetBoundsRect(1);
        body.InflateRect(m_nGap, m_nGap);
        unite(body.left, body.top, body.right, body.bottom);
    }
    *bounds = left < right ? CRect(static_cast<int>(left), static_cast<int>(top),
                                   static_cast<int>(right), static_cast<int>(bottom))
                           : CRect(0, 0, 0, 0);
    return TRUE;
}

POINT CGraphicItem::ToDevice(const CVector& point, double zoom) {
    if (zoom == 1.0)
        return point;
    return CVector(point.x * zoom, point.y * zoom);
}

void CGraphicItem::Draw(CDC* dc, double zoom, WORD types, LONG, double) {
    if (m_nNodeCount < 1)
        return;
    CheckNodeArray();
    CPen* previous = CreatePen(dc, zoom);
    dc->MoveTo(ToDevice(m_pNodes[0], zoom));
    for (int i = 1; i < m_nNodeCount; ++i)
        dc->LineTo(ToDevice(m_pNodes[i], zoom));
    if (HasFocus() && !m_bDrag)
        HiliteNodes(dc, zoom, types, 0);
    dc->SelectObject(previous);
    m_pen.DeleteObject();
}

// Lines thin out when zoomed out but never thicken when zoomed in; at least one pixel.
CPen* CGraphicItem::CreatePen(CDC* dc, double zoom) {
    m_pen.DeleteObject();
    const double scale = zoom < 1.0 ? zoom : 1.0;
    double width = scale * m_dLineWidth + 0.5;
    if (width < 1.0)
        width = 1.0;
    if (m_bDrag)
        m_pen.CreatePen(PS_SOLID, kDragPenWidth, kBlack);
    else
        m_pen.CreatePen(m_nPenStyle, TruncateToLong(width), m_crColor);
    return dc->SelectObject(&m_pen);
}

CPen* CGraphicItem::CreateDotPen(CDC* dc) {
    m_pen.DeleteObject();
    if (m_bDrag)
        m_pen.CreatePen(PS_SOLID, kDragPenWidth, kBlack);
    else
        m_pen.CreatePen(PS_DOT, 1, m_crColor);
    return dc->SelectObject(&m_pen);
}

// Black squares of side 2s on the nodes; s is the half-size, smaller when zoomed out but
// never below 2 pixels. Printers get none.
void CGraphicItem::HiliteNodes(CDC* dc, double zoom, WORD types, int node) {
    if ((types & drawNoNodes) || dc->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER)
        return;
    CheckNodeArray();
    const COLORREF background = dc->GetBkColor();
    int s = TruncateToLong(m_nNodeHalfSize * std::min(zoom, 1.0));
    if (s < 2)
        s = 2;
    for (int i = 0; i < m_nNodeCount; ++i) {
        if (node > 0 && i != node - 1)
            continue;
        const POINT q = ToDevice(m_pNodes[i], zoom);
        const CRect square(WrapSub(q.x, s), WrapSub(q.y, s), WrapAdd(q.x, s), WrapAdd(q.y, s));
        dc->FillSolidRect(&square, kBlack);
    }
    dc->SetBkColor(background);
}

void CGraphicItem::DrawArrowHead(CDC* dc, CVector* tip, double angle, double zoom, int halfAngle,
                                 int length) {
    const CVector t = zoom != 1.0 ? CVector(tip->x * zoom, tip->y * zoom) : *tip;
    const double armLength = length * std::min(zoom, 1.0);
    const double opening = halfAngle * PI / 180;
    const CVector back(-armLength, 0);
    const CVector arm1 = t + back * CRotateMatrix(angle + opening);
    const CVector arm2 = t + back * CRotateMatrix(angle - opening);
    dc->MoveTo(arm1);
    dc->LineTo(t);
    dc->MoveTo(arm2);
    dc->LineTo(t);
}

CRect CGraphicItem::DrawConnection(CDC* dc, CVector* anchor, double zoom) {
    const CRect r = GetBoundsRect(0);
    const double width = r.Width();
    const double height = r.Height();
    const CVector c0(r.left, r.top);
    const CVector c1 = c0 + CVector(width, 0);
    const CVector c2 = c1 + CVector(0, height);
    const CVector c3 = c2 - CVector(width, 0);
    const CVector corners[4] = {c0, c1, c2, c3};
    // The nearest corner to the anchor; a tie keeps the earlier corner.
    int nearest = 0;
    double best = corners[0].Distance(anchor);
    for (int k = 1; k < 4; ++k) {
        const double distance = corners[k].Distance(anchor);
        if (distance < best) {
            best = distance;
            nearest = k;
        }
    }

    const double dx = zoom == 1.0 ? width : width * zoom;
    const double dy = zoom == 1.0 ? height : height * zoom;
    POINT frame[5];
    frame[0] = ToDevice(c0, zoom);
    frame[1] = CVector(frame[0]) + CVector(dx, 0);
    frame[2] = CVector(frame[1]) + CVector(0, dy);
    frame[3] = CVector(frame[2]) - CVector(dx, 0);
    int m = m_nGap;
    if (zoom < 1.0)
        m = std::max(TruncateToLong(m_nGap * zoom), 2);
    const int push[4][2] = {{-m, -m}, {m, -m}, {m, m}, {-m, m}};
    for (int k = 0; k < 4; ++k)
        frame[k] = POINT{WrapAdd(frame[k].x, push[k][0]), WrapAdd(frame[k].y, push[k][1])};
    frame[4] = frame[0];

    const bool visible = !(m_bDrag && !HasFocus());
    if (visible)
        dc->Polyline(frame, 5);
    const double back = 1 / zoom;
    const POINT topLeft = CVector(frame[0].x * back, frame[0].y * back);
    const POINT bottomRight = CVector(frame[2].x * back, frame[2].y * back);
    if (visible) {
        dc->MoveTo(zoom != 1.0 ? POINT(CVector(anchor->x * zoom, anchor->y * zoom))
                               : POINT(*anchor));
        dc->LineTo(frame[nearest]);
    }
    return CRect(topLeft, bottomRight);
}

// "R,G,B" as the colour page stores it. The pieces are taken as a tokenizer hands them out,
// empty ones skipped; a missing piece counts 0.
void CGraphicItem::GetDefaultColor() {
    // Text items keep their default in the font's section. The text kind is looked up by
    // name so that this base does not depend on it.
    const bool isText = CClassRegistry::Instance().IsKindOf(this, "CGraphicText");
    const CString value = CUserSettings::GetProfileString(
        isText ? "UserGraphicsFont" : "UserGraphics", "DefaultColor", "");
    if (value.IsEmpty())
        return;
    std::vector<std::string> pieces;
    std::string piece;
    for (char ch : value.str() + ",") {
        if (ch != ',') {
            piece += ch;
        } else if (!piece.empty()) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    BYTE rgb[3] = {0, 0, 0};
    for (std::size_t i = 0; i < pieces.size() && i < 3; ++i)
        rgb[i] = ColourComponent(pieces[i].c_str());
    SetColor(RGB(rgb[0], rgb[1], rgb[2]));
}

void CGraphicItem::GetDefaultWidth() {
    const int width = CUserSettings::GetProfileInt("UserGraphics", "DefaultWidth", -1);
    if (width != -1)
        m_dLineWidth = width;
}

int CGraphicItem::PntInNodeLines(CVector* point, double zoom) {
    CheckNodeArray();
    for (int i = 0; i + 1 < m_nNodeCount; ++i) {
        CGraphicLine segment;
        CVector start = m_pNodes[i];
        CVector end = m_pNodes[i + 1];
        segment.SetStart(&start);
        segment.SetEnd(&end, 0);
        if (segment.HitTest(point, zoom) == hitBody)
            return i;
    }
    return -1;
}

CVector CGraphicItem::GetNode(int index) {
    CheckNodeArray();
    if (index < 0 || index >= m_nNodeCount)
        throw CInvalidArgException();
    return m_pNodes[index];
}

void CGraphicItem::SerializeInt(int& value, CArchive& ar) {
    if (ar.IsStoring())
        ar << static_cast<std::int32_t>(value);
    else
        ar >> value;
}

void CGraphicItem::Serialize(CArchive& ar) {
    SerializeInt(m_nVersion, ar);

    if (ar.IsStoring()) {
        m_aNodes.FreeExtra();
        const auto count = static_cast<DWORD>(m_aNodes.GetSize());
        ar.WriteCount(count);
        ar.Write(m_aNodes.GetData(), count * static_cast<UINT>(sizeof(CVector)));
    } else {
        NodesChanged(); // first: a read that fails half-way has changed the nodes already
        const DWORD count = ar.ReadCount();
        if (count <= kNodeBatch) {
            // The usual case: the nodes go straight into the array, which the item's
            // constructor has mostly made large enough already, in one read.
            m_aNodes.SetSize(static_cast<int>(count));
            const UINT bytes = count * static_cast<UINT>(sizeof(CVector));
            if (ar.Read(m_aNodes.GetData(), bytes) != bytes)
                throw CArchiveException(CArchiveException::endOfFile);
        } else {
            std::vector<CVector> nodes;
            for (DWORD done = 0; done < count;) {
                const DWORD batch = std::min(kNodeBatch, count - done);
                nodes.resize(done + batch);
                const UINT bytes = batch * static_cast<UINT>(sizeof(CVector));
                if (ar.Read(nodes.data() + done, bytes) != bytes)
                    throw CArchiveException(CArchiveException::endOfFile);
                done += batch;
            }
            m_aNodes.SetSize(static_cast<int>(nodes.size()));
            std::copy(nodes.begin(), nodes.end(), m_aNodes.GetData());
        }
    }
    CheckNodeArray();

    if (ar.IsStoring()) {
        ar << m_wClass << static_cast<DWORD>(m_crColor) << m_dLineWidth;
    } else {
        DWORD colour;
        ar >> m_wClass >> colour;
        m_crColor = colour;
        if (m_nVersion == 1) {
            // Version 1 kept a value here that is no longer used; the item is version 2 now.
            std::int32_t unused;
            ar >> unused;
            m_nVersion = 2;
        }
        ar >> m_dLineWidth;
    }
}

} // namespace vellum
