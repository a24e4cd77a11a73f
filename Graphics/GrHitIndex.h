#pragma once
// CGrHitIndex: which items of a group may lie under a point, in the group's order, found
// without asking every item. Items that know their hit bounds (CGraphicItem::GetHitBounds)
// are filed in a uniform grid of cells; a point's cell lists, in group order, the items
// whose bounds reach into it. Items that do not know their bounds, and items too large for
// the grid, are offered for every point, in their place in the order.
//
// The index is a cache. It belongs to one group and is current while the group has made no
// change (CObList::GetChangeCount) and no item's nodes have changed
// (CGraphicItem::NodesEpoch) since it was built; otherwise it is built again before use.
// Building it asks every item once, which costs about what one plain walk does.

#include <vellum/Graphics/GraphicItem.h>
#include <vellum/platform/ObList.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellum {

class CGrHitIndex {
public:
    bool IsCurrent(const CObList& group) const {
        return m_built && m_changes == group.GetChangeCount() &&
               m_epoch == CGraphicItem::NodesEpoch();
    }
    void Build(const CObList& group);

    // Calls visit(position, item) for the items from position from on (null: the head)
    // that may be hit at point, in group order, until visit answers true; answers whether
    // it did.
    template <class Visit> bool ForEachCandidate(POINT point, POSITION from, Visit visit) {
        const std::uint32_t first = IndexOf(from);
        const std::uint32_t* cell = nullptr;
        const std::uint32_t* cellEnd = nullptr;
        CellOf(point, cell, cellEnd);
        const std::uint32_t* always = m_always.data();
        const std::uint32_t* alwaysEnd = always + m_always.size();
        cell = LowerBound(cell, cellEnd, first);
        always = LowerBound(always, alwaysEnd, first);
        // Both lists ascend; merged, they give the candidates in group order.
        while (cell != cellEnd || always != alwaysEnd) {
            const std::uint32_t entry =
                always == alwaysEnd || (cell != cellEnd && *cell < *always) ? *cell++ : *always++;
            const Bounds& b = m_bounds[entry];
            if (m_known[entry] &&
                !(b.left <= point.x && point.x < b.right && b.top <= point.y && point.y < b.bottom))
                continue;
            m_lastVisited = entry;
            if (visit(m_positions[entry], m_items[entry]))
                return true;
        }
        return false;
    }

private:
    struct Bounds {
        std::int32_t left, top, right, bottom;
    };

    static const std::uint32_t* LowerBound(const std::uint32_t* begin, const std::uint32_t* end,
                                           std::uint32_t value);
    // The index of the entry at position from (0 for null).
    std::uint32_t IndexOf(POSITION from) const;
    // The entries filed in the cell under point; none when point lies outside the grid.
    void CellOf(POINT point, const std::uint32_t*& begin, const std::uint32_t*& end) const;

    bool m_built = false;
    std::uint64_t m_changes = 0;
    std::uint64_t m_epoch = 0;

    // One entry per element of the group, in group order.
    std::vector<POSITION> m_positions;
    std::vector<CGraphicItem*> m_items;
    std::vector<Bounds> m_bounds;
    std::vector<std::uint8_t> m_known; // 1: the bounds hold; 0: always a candidate
    std::uint32_t m_lastVisited = 0;   // where the next walk most likely resumes

    // The grid: cells of 2^m_shift pixels from (m_originX, m_originY), m_columns by m_rows;
    // the entries of cell c are m_cellEntries[m_cellStart[c] .. m_cellStart[c + 1]).
    std::int64_t m_originX = 0;
    std::int64_t m_originY = 0;
    int m_shift = 0;
    std::int64_t m_columns = 0;
    std::int64_t m_rows = 0;
    std::vector<std::uint32_t> m_cellStart;
    std::vector<std::uint32_t> m_cellEntries;
    // Entries offered for every point: unknown bounds, or bounds spanning many cells.
    std::vector<std::uint32_t> m_always;
};

} // namespace vellum
