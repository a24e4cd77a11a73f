#include <vellum/Graphics/GrHitIndex.h>

#include <algorithm>

namespace vellum {

namespace {
// Cells are at least this wide (as a power of two), and no more numerous than this many
// per entry, so that the grid stays in proportion to the group.
constexpr int kSmallestShift = 3;
constexpr std::int64_t kCellsPerEntry = 4;
// Bounds that reach into more cells than this are offered for every point instead.
constexpr std::int64_t kMostCellsPerEntry = 16;
} // namespace

const std::uint32_t* CGrHitIndex::LowerBound(const std::uint32_t* begin, const std::uint32_t* end,
                                             std::uint32_t value) {
    return value == 0 ? begin : std::lower_bound(begin, end, value);
}

std::uint32_t CGrHitIndex::IndexOf(POSITION from) const {
    if (!from)
        return 0;
    // A walk mostly resumes at the entry it last offered.
    if (m_lastVisited < m_positions.size() && m_positions[m_lastVisited] == from)
        return m_lastVisited;
    const auto it = std::find(m_positions.begin(), m_positions.end(), from);
    return static_cast<std::uint32_t>(it - m_positions.begin());
}

void CGrHitIndex::CellOf(POINT point, const std::uint32_t*& begin,
                         const std::uint32_t*& end) const {
    begin = end = nullptr;
    const std::int64_t column = (std::int64_t{point.x} - m_originX) >> m_shift;
    const std::int64_t row = (std::int64_t{point.y} - m_originY) >> m_shift;
    if (m_columns == 0 || column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return;
    const auto cell = static_cast<std::size_t>(row * m_columns + column);
    begin = m_cellEntries.data() + m_cellStart[cell];
    end = m_cellEntries.data() + m_cellStart[cell + 1];
}

void CGrHitIndex::Build(const CObList& group) {
    m_positions.clear();
    m_items.clear();
    m_bounds.clear();
    m_known.clear();
    m_always.clear();
    m_cellStart.clear();
    m_cellEntries.clear();
    m_lastVisited = 0;
    m_columns = m_rows = 0;

    // Every entry with its bounds; an empty rectangle is never hit, a null entry is skipped
    // by every walk, and neither is filed anywhere.
    std::int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    std::int64_t spanSum = 0, filed = 0;
    for (POSITION pos = group.GetHeadPosition(); pos;) {
        m_positions.push_back(pos);
        auto* item = static_cast<CGraphicItem*>(group.GetNext(pos));
        m_items.push_back(item);
        CRect r(0, 0, 0, 0);
        const bool known = !item || item->GetHitBounds(&r);
        m_known.push_back(known ? 1 : 0);
        m_bounds.push_back(Bounds{r.left, r.top, r.right, r.bottom});
        const auto entry = static_cast<std::uint32_t>(m_items.size() - 1);
        if (!known) {
            m_always.push_back(entry);
        } else if (item && r.left < r.right && r.top < r.bottom) {
            left = std::min<std::int64_t>(left, r.left);
            top = std::min<std::int64_t>(top, r.top);
            right = std::max<std::int64_t>(right, r.right);
            bottom = std::max<std::int64_t>(bottom, r.bottom);
            spanSum += std::max(std::int64_t{r.right} - r.left, std::int64_t{r.bottom} - r.top);
            ++filed;
        }
    }

    if (filed > 0) {
        // Cells about as wide as the average item, fewer when the items lie far apart.
        m_shift = kSmallestShift;
        while ((std::int64_t{1} << m_shift) < spanSum / filed)
            ++m_shift;
        m_originX = left;
        m_originY = top;
        const auto gridSide = [&](std::int64_t extent) { return ((extent - 1) >> m_shift) + 1; };
        while (gridSide(right - left) * gridSide(bottom - top) > kCellsPerEntry * filed + 64)
            ++m_shift;
        m_columns = gridSide(right - left);
        m_rows = gridSide(bottom - top);
    }

    // Two passes over the filed entries: count per cell, then place, in group order.
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(m_columns * m_rows) + 1, 0);
    const auto forEachFiled = [&](auto place) {
        for (std::uint32_t entry = 0; entry < m_items.size(); ++entry) {
            const Bounds& b = m_bounds[entry];
            if (!m_known[entry] || !m_items[entry] || b.left >= b.right || b.top >= b.bottom)
                continue;
            const std::int64_t c0 = (b.left - m_originX) >> m_shift;
            const std::int64_t c1 = (std::int64_t{b.right} - 1 - m_originX) >> m_shift;
            const std::int64_t r0 = (b.top - m_originY) >> m_shift;
            const std::int64_t r1 = (std::int64_t{b.bottom} - 1 - m_originY) >> m_shift;
            if ((c1 - c0 + 1) * (r1 - r0 + 1) > kMostCellsPerEntry) {
                place(entry, -1);
                continue;
            }
            for (std::int64_t row = r0; row <= r1; ++row)
                for (std::int64_t column = c0; column <= c1; ++column)
                    place(entry, row * m_columns + column);
        }
    };
    std::vector<std::uint32_t> large;
    forEachFiled([&](std::uint32_t entry, std::int64_t cell) {
        if (cell < 0)
            large.push_back(entry);
        else
            ++counts[static_cast<std::size_t>(cell) + 1];
    });
    for (std::size_t c = 1; c < counts.size(); ++c)
        counts[c] += counts[c - 1];
    m_cellStart = counts;
    m_cellEntries.resize(counts.back());
    forEachFiled([&](std::uint32_t entry, std::int64_t cell) {
        if (cell >= 0)
            m_cellEntries[counts[static_cast<std::size_t>(cell)]++] = entry;
    });
    // The large ones join the unknown ones, still in group order.
    std::vector<std::uint32_t> always;
    always.reserve(m_always.size() + large.size());
    std::merge(m_always.begin(), m_always.end(), large.begin(), large.end(),
               std::back_inserter(always));
    m_always.swap(always);

    m_changes = group.GetChangeCount();
    m_epoch = CGraphicItem::NodesEpoch();
    m_built = true;
}

} // namespace vellum
