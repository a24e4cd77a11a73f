#include <vellum/platform/Rgn.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vellum {

namespace {

// Products of 32-bit coordinate differences need up to about 100 bits; the compilers the
// library supports all provide 128-bit integers.
__extension__ typedef __int128 Int128;
using Int64 = std::int64_t;

// floor(n / d) for d > 0.
Int128 FloorDiv(Int128 n, Int128 d) {
    Int128 q = n / d;
    if (n % d != 0 && n < 0)
        --q;
    return q;
}

Int128 CeilDiv(Int128 n, Int128 d) {
    return -FloorDiv(-n, d);
}

// The sum of floor((a·i + b) / m) for i = 0 .. n−1, with n >= 0 and m > 0, in O(log m) steps by
// the Euclid-like reduction that swaps the roles of a and m.
Int128 FloorSum(Int128 n, Int128 m, Int128 a, Int128 b) {
    const Int128 qa = FloorDiv(a, m);
    const Int128 qb = FloorDiv(b, m);
    Int128 sum = qa * (n * (n - 1) / 2) + qb * n;
    a -= qa * m;
    b -= qb * m;
    while (true) {
        if (a >= m) {
            sum += n * (n - 1) / 2 * (a / m);
            a %= m;
        }
        if (b >= m) {
            sum += n * (b / m);
            b %= m;
        }
        const Int128 top = a * n + b;
        if (top < m)
            break;
        n = top / m;
        b = top % m;
        std::swap(m, a);
    }
    return sum;
}

// A polygon edge as the pixel rows see it. It is active for the rows top <= y < bottom, whose
// centre lines y + 0.5 it crosses at x = X(y), where X(y) − 0.5 = (a·y + b) / c with c > 0.
struct Edge {
    Int64 top;
    Int64 bottom;
    Int128 a;
    Int128 b;
    Int128 c;
    int direction; // +1 going down the rows, −1 going up

    // The first pixel column whose centre lies at or right of the crossing: the column where
    // a span that this edge opens begins, or one past the last pixel of a span it closes.
    Int128 Column(Int64 y) const { return CeilDiv(a * y + b, c); }
    // Column(y) summed over the rows first .. last.
    Int128 ColumnSum(Int64 first, Int64 last) const {
        return -FloorSum(last - first + 1, c, -a, -(a * first + b));
    }
    // True when the crossing lies right of the centre of pixel (x, y).
    bool RightOf(Int64 x, Int64 y) const { return a * y + b > x * c; }
    // The crossing's position scaled by the common factor c·other.c, for exact comparisons.
    Int128 Compare(const Edge& other, Int64 y) const {
        return (a * y + b) * other.c - (other.a * y + other.b) * c;
    }
};

// False for a horizontal edge, which no pixel centre line crosses.
bool MakeEdge(POINT from, POINT to, Edge& edge) {
    if (from.y == to.y)
        return false;
    const Int64 dx = static_cast<Int64>(to.x) - from.x;
    const Int64 dy = static_cast<Int64>(to.y) - from.y;
    // X(y) − 0.5 = ((2·x0 − 1)·dy + (2·y + 1 − 2·y0)·dx) / (2·dy)
    Int128 a = Int128(2) * dx;
    Int128 b = Int128(2 * static_cast<Int64>(from.x) - 1) * dy +
               Int128(1 - 2 * static_cast<Int64>(from.y)) * dx;
    Int128 c = Int128(2) * dy;
    if (c < 0) {
        a = -a;
        b = -b;
        c = -c;
    }
    edge = Edge{std::min(from.y, to.y), std::max(from.y, to.y), a, b, c, dy > 0 ? 1 : -1};
    return true;
}

// The pixels found so far: their number and the bounds of the rows and columns holding them.
struct Coverage {
    Int128 count = 0;
    Int64 left = 0;
    Int64 top = 0;
    Int64 right = 0;
    Int64 bottom = 0;

    void Add(Int128 pixels, Int64 spanLeft, Int64 spanTop, Int64 spanRight, Int64 spanBottom) {
        if (count == 0) {
            left = spanLeft;
            top = spanTop;
            right = spanRight;
            bottom = spanBottom;
        } else {
            left = std::min(left, spanLeft);
            top = std::min(top, spanTop);
            right = std::max(right, spanRight);
            bottom = std::max(bottom, spanBottom);
        }
        count += pixels;
    }
};

// Adds the pixels between a span's opening and closing edges over rows first .. last, where the
// opening edge never lies right of the closing one.
void AddSpan(const Edge& open, const Edge& close, Int64 first, Int64 last, Coverage& coverage) {
    const auto pixels = [&](Int64 from, Int64 to) {
        return close.ColumnSum(from, to) - open.ColumnSum(from, to);
    };
    const Int128 total = pixels(first, last);
    if (total == 0)
        return;
    Int64 firstRow = first;
    Int64 lastRow = last;
    // A span at least one pixel wide at both ends is as wide in between and holds a pixel
    // centre in every row; a narrower one may skip rows.
    const Int128 onePixel = open.c * close.c;
    if (close.Compare(open, first) < onePixel || close.Compare(open, last) < onePixel) {
        // Every row holds a non-negative number of pixels, so partial sums are monotonic and
        // the first and last rows holding any are found by bisection.
        Int64 low = first;
        Int64 high = last;
        while (low < high) {
            const Int64 middle = low + (high - low) / 2;
            if (pixels(first, middle) > 0)
                high = middle;
            else
                low = middle + 1;
        }
        firstRow = low;
        high = last;
        while (low < high) {
            const Int64 middle = low + (high - low + 1) / 2;
            if (pixels(middle, last) > 0)
                low = middle;
            else
                high = middle - 1;
        }
        lastRow = low;
    }
    // Both edges are straight, so their columns move one way only: the extreme columns over the
    // rows holding pixels are found at the first or the last of them.
    const Int128 left = std::min(open.Column(firstRow), open.Column(lastRow));
    const Int128 right = std::max(close.Column(firstRow), close.Column(lastRow));
    coverage.Add(total, static_cast<Int64>(left), firstRow, static_cast<Int64>(right), lastRow + 1);
}

// The first row after first where edge p, right of q there, is no longer right of it; the
// caller knows that happens by row last.
Int64 SwapRow(const Edge& p, const Edge& q, Int64 first, Int64 last) {
    // p.Compare(q, y) = slope · y + offset, with a negative slope here.
    const Int128 slope = p.a * q.c - q.a * p.c;
    const Int128 offset = p.b * q.c - q.b * p.c;
    const Int128 row = CeilDiv(offset, -slope);
    return static_cast<Int64>(std::clamp<Int128>(row, first + 1, last));
}

// Adds the pixels of the rows first .. last where the edges keep one left-to-right order: the
// spans are then fixed pairs of edges, summed in closed form.
void AddOrderedRows(const std::vector<const Edge*>& order, Int64 first, Int64 last, int fillMode,
                    Coverage& coverage) {
    if (fillMode == WINDING) {
        int winding = 0;
        const Edge* open = nullptr;
        for (const Edge* edge : order) {
            const int before = winding;
            winding += edge->direction;
            if (before == 0)
                open = edge;
            else if (winding == 0)
                AddSpan(*open, *edge, first, last, coverage);
        }
    } else {
        for (std::size_t i = 0; i + 1 < order.size(); i += 2)
            AddSpan(*order[i], *order[i + 1], first, last, coverage);
    }
}

// Adds the pixels of rows first .. last, which all cross the same edges. Where two edges cross
// each other the rows are split where they swap places, until every part keeps one order.
void AddRows(const std::vector<const Edge*>& active, Int64 first, Int64 last, int fillMode,
             Coverage& coverage) {
    std::vector<std::pair<Int64, Int64>> parts{{first, last}};
    std::vector<const Edge*> order;
    while (!parts.empty()) {
        const Int64 top = parts.back().first;
        const Int64 bottom = parts.back().second;
        parts.pop_back();
        order = active;
        std::sort(order.begin(), order.end(), [&](const Edge* p, const Edge* q) {
            const Int128 atBottom = p->Compare(*q, bottom);
            return atBottom != 0 ? atBottom < 0 : p->Compare(*q, top) < 0;
        });
        // Two straight edges in order at both ends of the rows are in order between them.
        const auto crossing =
            std::adjacent_find(order.begin(), order.end(), [top](const Edge* p, const Edge* q) {
                return p->Compare(*q, top) > 0;
            });
        if (crossing == order.end()) {
            AddOrderedRows(order, top, bottom, fillMode, coverage);
            continue;
        }
        const Int64 split = SwapRow(**crossing, **(crossing + 1), top, bottom);
        parts.emplace_back(split, bottom);
        parts.emplace_back(top, split - 1);
    }
}

} // namespace

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING))
        return FALSE;
    m_points.clear();
    m_fillMode = fillMode;
    m_box = RECT{0, 0, 0, 0};
    m_type = NULLREGION;
    m_bCreated = true;
    if (count < 3)
        return TRUE;

    std::vector<Edge> edges;
    std::vector<Int64> rows;
    for (int i = 0; i < count; ++i) {
        Edge edge;
        if (MakeEdge(points[i], points[(i + 1) % count], edge))
            edges.push_back(edge);
        rows.push_back(points[i].y);
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& p, const Edge& q) { return p.top < q.top; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    // Between two consecutive vertex heights the same edges cross every row.
    Coverage coverage;
    std::vector<const Edge*> active;
    std::size_t next = 0;
    for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
        std::erase_if(active, [&](const Edge* edge) { return edge->bottom <= rows[k]; });
        for (; next < edges.size() && edges[next].top <= rows[k]; ++next)
            active.push_back(&edges[next]);
        if (!active.empty())
            AddRows(active, rows[k], rows[k + 1] - 1, fillMode, coverage);
    }
    if (coverage.count == 0)
        return TRUE;

    m_points.assign(points, points + count);
    m_box = RECT{static_cast<LONG>(coverage.left), static_cast<LONG>(coverage.top),
                 static_cast<LONG>(coverage.right), static_cast<LONG>(coverage.bottom)};
    const Int128 boxArea =
        Int128(coverage.right - coverage.left) * (coverage.bottom - coverage.top);
    m_type = coverage.count == boxArea ? SIMPLEREGION : COMPLEXREGION;
    return TRUE;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    const POINT corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    return CreatePolygonRgn(corners, 4, ALTERNATE);
}

BOOL CRgn::DeleteObject() {
    m_points.clear();
    m_points.shrink_to_fit();
    m_box = RECT{0, 0, 0, 0};
    m_type = NULLREGION;
    return CGdiObject::DeleteObject();
}

BOOL CRgn::PtInRegion(int x, int y) const {
    if (!m_bCreated)
        return FALSE;
    const std::size_t count = m_points.size();
    int crossings = 0;
    int winding = 0;
    for (std::size_t i = 0; i < count; ++i) {
        Edge edge;
        if (!MakeEdge(m_points[i], m_points[(i + 1) % count], edge))
            continue;
        if (y >= edge.top && y < edge.bottom && edge.RightOf(x, y)) {
            ++crossings;
            winding += edge.direction;
        }
    }
    return (m_fillMode == WINDING ? winding != 0 : crossings % 2 != 0) ? TRUE : FALSE;
}

int CRgn::GetRgnBox(RECT* rect) const {
    if (!m_bCreated || !rect)
        return ERROR;
    *rect = m_box;
    return m_type;
}

} // namespace vellum
