#include <vellum/Graphics/GraphicItem.h>

#include <vellum/Graphics/GraphicLine.h>
#include <vellum/archive/Archive.h>
#include <vellum/platform/Exceptions.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vellum {

IMPLEMENT_SERIAL(CGraphicItem, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
// Nodes are read in batches so that a damaged count costs no more memory than the data
// actually holds before it runs out.
constexpr DWORD kNodeBatch = 4096;
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
}

void CGraphicItem::Rotate(double angle, CVector* centre) {
    CheckNodeArray();
    const CVector c = centre ? *centre : GetCenterPoint();
    for (int i = 0; i < m_nNodeCount; ++i)
        m_pNodes[i].Rotate(angle, &c);
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
}

void CGraphicItem::SetStart(CVector* point) {
    // The array is not grown: kinds that start here size it in their constructor.
    m_aNodes.SetAt(m_nNodeCount, *point);
    ++m_nNodeCount;
}

void CGraphicItem::SetEnd(CVector* point, int add) {
    try {
        if (add) {
            m_aNodes.SetAtGrow(m_nNodeCount, *point);
            ++m_nNodeCount;
        } else {
            m_aNodes.SetAt(m_nNodeCount - 1, *point);
        }
    } catch (const CInvalidArgException&) {
        // No node to overwrite: the item stays as it was.
    }
}

void CGraphicItem::SetFontSize(int) {}

int CGraphicItem::GetFontSize() { return -1; }

void CGraphicItem::CheckNodeArray() {
    m_pNodes = m_aNodes.GetData();
    m_nNodeCount = static_cast<int>(m_aNodes.GetSize());
}

int CGraphicItem::AcceptMoreNodes() { return 0; }

void CGraphicItem::SetMagnification(double, double) {}

void CGraphicItem::SetResolution(double, double) {}

void CGraphicItem::FlipHorizontal(LONG axis) {
    CheckNodeArray();
    for (int i = 0; i < m_nNodeCount; ++i)
        m_pNodes[i].x = 2.0 * axis - m_pNodes[i].x;
}

void CGraphicItem::SetCalibrated(int) {}

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

    m_aNodes.FreeExtra();
    if (ar.IsStoring()) {
        const auto count = static_cast<DWORD>(m_aNodes.GetSize());
        ar.WriteCount(count);
        ar.Write(m_aNodes.GetData(), count * static_cast<UINT>(sizeof(CVector)));
    } else {
        const DWORD count = ar.ReadCount();
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
