#pragma once
// The item list: all overlay items of one image, grouped by item class.
//
// CGrItemList is one group: an ordered list of items (owned) with a name. CGraphicItemList maps
// each 16-bit item class to the group of its items. It draws them in a fixed order under a
// class mask, finds the items under a point and cycles through overlapping ones, hands the
// list-wide resolution, magnification and calibration to every item, moves, rotates and flips
// them all, and stores itself in the archive.
//
// Every walk over all groups follows the map's own iteration order, which fixes the hit
// priority and the drawing order of an unmasked draw; within a group items go head to tail.

#include <vellum/Graphics/GrHitIndex.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/basalt/RegionalSettings.h>
#include <vellum/platform/MapWordToOb.h>
#include <vellum/platform/ObList.h>
#include <vellum/platform/String.h>

#include <memory>

namespace vellum {

class CDC;

class CGrItemList : public CObList {
    DECLARE_SERIAL(CGrItemList)
public:
    CGrItemList();
    // Deletes every item once, however often it stands in the group.
    ~CGrItemList() override;

    void SetName(CString name) { m_strName = std::move(name); }
    CString GetName() const { return m_strName; }
    void Serialize(CArchive& ar) override;

    // Calls visit(position, item) for the entries from position from on (null: the head),
    // in order, until visit answers true; answers whether it did. With indexed set, a large
    // group offers only the items that may be hit at point (see CGrHitIndex).
    template <class Visit>
    bool ForEachHitCandidate(const CVector& point, POSITION from, bool indexed, Visit visit) {
        if (indexed && GetCount() >= minIndexedItems) {
            if (!m_pHitIndex)
                m_pHitIndex = std::make_unique<CGrHitIndex>();
            if (!m_pHitIndex->IsCurrent(*this))
                m_pHitIndex->Build(*this);
            return m_pHitIndex->ForEachCandidate(point, from, visit);
        }
        for (POSITION pos = from ? from : GetHeadPosition(); pos;) {
            const POSITION at = pos;
            if (visit(at, static_cast<CGraphicItem*>(GetNext(pos))))
                return true;
        }
        return false;
    }

    // Smaller groups are walked item by item: their index would not pay for itself.
    static constexpr int minIndexedItems = 32;

protected:
    int m_nGroupTag = 1;
    CString m_strName;

private:
    std::unique_ptr<CGrHitIndex> m_pHitIndex;
};

class CGraphicItemList : public CMapWordToOb, public CRegionalSettingsCallback {
    DECLARE_SERIAL(CGraphicItemList)
public:
    // The mask that a list shows after loading: symbols, measurements, text and drawings.
    static constexpr WORD typesAfterLoading = 0x0039;

    CGraphicItemList();
    ~CGraphicItemList() override;

    // Adds the item, which the list then owns, to the group of key type (the item's class),
    // after giving it the list's resolution and magnification. 1, or 0 when no group could be
    // made.
    int AddItem(WORD type, CGraphicItem* item);
    // Removes the item and deletes it; type 0xFFFF searches every group. 1 if found.
    int DeleteItemItem(CGraphicItem* item, WORD type);

    // Draws every group in map order (mask 0xFFFF), or the groups whose single-bit keys are in
    // the mask, in ascending bit order.
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra);
    // The first visible item under the point; more is 1 when another one lies under it too,
    // which GetNextHit then returns, and so on until more comes back 0.
    CGraphicItem* HitTest(CVector* point, int& more, double zoom);
    CGraphicItem* GetNextHit(CVector* point, int& more, double zoom);
    int IsVisible(CGraphicItem* item);
    // Hit tests pass by the items whose hit bounds cannot contain the point, found through
    // each large group's index (on by default). Off, every item is asked, as in the plain
    // walk; the answers, the order and the click cycling are the same either way.
    void UseHitIndex(BOOL use) { m_bUseHitIndex = use; }
    void SetTypesToDraw(WORD mask) { m_wTypesToDraw = mask; }
    WORD GetTypesToDraw() const { return m_wTypesToDraw; }

    void SetModified(int modified) { m_bModified = modified; }
    int IsModified() const { return m_bModified; }
    // Stores the non-zero factors and gives every item the stored pair.
    void SetMagnification(double x, double y);
    void GetMagnification(double* x, double* y) const;
    void SetResolution(double x, double y);
    void GetResolution(double* x, double* y) const;
    // Uncalibrating resets magnification and resolution in the list and every item.
    void SetCalibrated(int calibrated);
    int IsCalibrated() const { return m_bCalibrated; }
    CRegionalSettings& GetRegionalSettings() { return m_RegionalSettings; }
    void OnRegionalSettingsChanged() override;

    int MoveItems(double dx, double dy);
    int RotateItems(double angle, CVector* centre);
    int FlipHorizontal(LONG axis);

    // The whole list as one archived object in a movable global memory block that the caller
    // owns; null on any failure.
    void* GetGlobalHandle();
    // A list stored as one archived object in a file; null on any failure. The caller owns it.
    static CGraphicItemList* FromFile(const char* path);

    void Serialize(CArchive& ar) override;

protected:
    // The smallest key from 0 upwards that no group has.
    WORD GetFreeTypeID() const;

private:
    // Continues the hit walk from a map position, and within its first group from listStart
    // (or the head); keeps the hit cursor up to date.
    CGraphicItem* FindHits(CVector* point, int& more, double zoom, POSITION mapStart,
                           POSITION listStart);
    template <class Visit> void ForEachItem(Visit visit);
    void DeleteAllGroups();
    void LoadBody(CArchive& ar);
    void StoreBody(CArchive& ar);

    int m_nListTag = 1;
    CRegionalSettings m_RegionalSettings;
    int m_bCalibrated = 0;
    double m_dResolutionX = 0.0;
    double m_dResolutionY = 0.0;
    double m_dMagnificationX = 1.0;
    double m_dMagnificationY = 1.0;
    POSITION m_posHitGroup = nullptr;
    POSITION m_posHitItem = nullptr;
    WORD m_wTypesToDraw = 0xFFFF;
    int m_bModified = 0;
    BOOL m_bUseHitIndex = TRUE;
};

} // namespace vellum
