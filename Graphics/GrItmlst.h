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

class CCheckListBox;
class CDC;
class CFile;
class CFont;
class CGraphicSymbol;
class CListBox;
struct struct_LEAD_Bitmap;

class CGrItemList : public CObList {
    DECLARE_SERIAL(CGrItemList)
public:
    CGrItemList();
    // Deletes every item once, however often it stands in the group.
    ~CGrItemList() override;

    void SetName(CString name) { m_strName = std::move(name); }
    CString GetName() const { return m_strName; }
    void Serialize(CArchive& ar) override;
    // Loads what Serialize stores, keeping only the items that this read creates: null
    // entries and entries that refer back to objects read before are left out, so that an
    // owner that is not a group (a symbol) never shares an item with anyone.
    void LoadOwnedItems(CArchive& ar);

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
    // Hands the image to every item that reads it: density areas and density lines gather
    // their histograms again. Other items are untouched.
    void BitmapForItems(struct_LEAD_Bitmap* bitmap);

    // The whole list as one archived object in a movable global memory block that the caller
    // owns; null on any failure.
    void* GetGlobalHandle();
    // A list stored as one archived object in a file; null on any failure. The caller owns it.
    static CGraphicItemList* FromFile(const char* path);

    void Serialize(CArchive& ar) override;

    // The symbol library: the same list with named groups of symbols under group numbers.
    // Names compare exactly; where names repeat, the first group in map order and the first
    // symbol in it win. Entries that are not symbols are skipped throughout.
    //
    // Group and symbol names used as settings entries (hidden groups, hidden symbols and the
    // symbol key "group_symbol") are trimmed of white space at both ends.

    // The files in the current folder that keep, while the options dialog is open, which
    // groups and symbols were hidden when it opened: names each followed by "||".
    static constexpr const char* groupsStateFile = "sgrps.tmp";
    static constexpr const char* symbolsStateFile = "smbs.tmp";

    // 1 when a group of that name exists afterwards (a new one under the smallest free
    // number); 0 for a null name or one that is empty once trimmed.
    int AddSymbolGroup(const char* name);
    // Appends the symbol, which the group then owns, to the first group of that name; 0 (the
    // symbol stays the caller's) when there is none.
    int AddSymbolToGroup(const char* group, CGraphicSymbol* symbol);
    // Deletes the first group of that name with its symbols; 1 if there was one.
    int DeleteGroup(const char* group);
    // Deletes the first symbol of that name in the groups of that name; 1 if there was one.
    int DeleteSymbol(const char* group, const char* symbol);
    // An independent copy, made through the archive, that the caller owns; null when there is
    // no such symbol or the copy fails.
    CGraphicSymbol* GetSymbol(const char* group, const char* symbol);
    // The selection dialog; the chosen symbol (a copy the caller owns) or null.
    CGraphicSymbol* SelectSymbol();
    // Adds every item of every group to the symbol, shared, not copied; 0 when memory ran out.
    int DumpItems(CGraphicSymbol* symbol);

    // Fill the dialogs' lists, widening the list to its longest line when the list can
    // measure text. The check list variant also writes the two state files anew; it throws
    // CFileException when they cannot be made.
    void AddGroupsToLB(CListBox* lb, CFont* font);
    void AddSymbolsToLB(const char* group, CListBox* lb, CFont* font);
    void AddGroupsToCheckListBox(CCheckListBox* lb, CFont* font);
    void AddSymbolsToCheckListBox(const char* group, CCheckListBox* lb, CFont* font);

    // Hidden groups and symbols are the entries of the settings sections "DisabledGroups"
    // and "DisabledSymbols" (the registry keys Software\Brantel\Velmar\DisabledGroups and
    // ...\DisabledSymbols); an entry hides whatever its value.
    bool IsSymbolGroupDisabled(CString group) const;
    bool IsSymbolDisabled(CString key) const;
    // 1 on success; 0 when the settings cannot be written, for a name that is empty once
    // trimmed or that a settings entry cannot hold ('=', '[' first, line breaks), and, for
    // the Enable operations, when the name was not hidden.
    int DisableSymbolGroup(CString group);
    int DisableSymbol(CString key);
    int EnableSymbolGroup(CString group);
    int EnableSymbol(CString key);
    // Hide again every name listed in a state file; true in every case.
    bool RestoreInitalGroupsState(CFile* file);
    bool RestoreInitalSymbolsState(CFile* file);

protected:
    // The smallest key from 0 upwards that no group has.
    WORD GetFreeTypeID() const;

private:
    // Continues the hit walk from a map position, and within its first group from listStart
    // (or the head); keeps the hit cursor up to date.
    CGraphicItem* FindHits(CVector* point, int& more, double zoom, POSITION mapStart,
                           POSITION listStart);
    template <class Visit> void ForEachItem(Visit visit);
    // Calls visit(group) for each group in map order until it answers true.
    template <class Visit> void ForEachGroup(Visit visit);
    // The first group named name, or null.
    CGrItemList* FindGroup(const char* name);
    // Fills a list with the symbols of the groups named group.
    void AddSymbols(const char* group, CListBox* lb, CFont* font, bool checkList);
    void DeleteAllGroups();
    void LoadBody(CArchive& ar);
    void ReleaseItemsOwnedBySymbols();
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

// The module-wide symbol library that SymbolLibraryInit loads and the module deletes at
// unload; every new window starts with it. Null until loaded.
CGraphicItemList* GetModuleSymbolLibrary();
// Replaces the pointer and returns the previous one, which the caller then owns.
CGraphicItemList* SetModuleSymbolLibrary(CGraphicItemList* library);

} // namespace vellum
