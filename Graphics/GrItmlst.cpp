#include <vellum/Graphics/GrItmlst.h>

#include <vellum/Graphics/BitmapUser.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/archive/IndexMap.h>
#include <vellum/basalt/LogError.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/File.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/ListBox.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/SymbolSelectionDlg.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_set>
#include <vector>

namespace vellum {

IMPLEMENT_SERIAL(CGrItemList, CObList, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CGraphicItemList, CMapWordToOb, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kGroupBlockSize = 10;
constexpr UINT kMemFileGrowth = 1024;
constexpr int kArchiveBuffer = 4096;
// What a failed save or load writes to the error log.
constexpr LONG kSerializeErrorCode = 17000;
constexpr const char* kSerializeErrorSource = ".\\Graphics\\GrItmlst";
constexpr int kSerializeErrorLine = 1685;

// Collects objects, each once, in the order first met (a flat hash set of addresses).
class CUniqueObjects {
public:
    bool Add(const void* object) {
        if (!object || m_seen.Find(object))
            return false;
        m_seen.Set(object, 1);
        m_objects.push_back(object);
        return true;
    }
    bool Contains(const void* object) const { return object && m_seen.Find(object); }
    template <class T> std::vector<T*> As() const {
        std::vector<T*> result;
        result.reserve(m_objects.size());
        for (const void* object : m_objects)
            result.push_back(static_cast<T*>(const_cast<void*>(object)));
        return result;
    }

private:
    CIndexMap m_seen;
    std::vector<const void*> m_objects;
};

// Deletes the groups and the items they hold, each exactly once, sparing the groups in keep
// and every item that those still hold. A list may hold one item in several places, and a
// damaged file may even put one group under several keys.
void DeleteGroups(const std::vector<CGrItemList*>& groups, const std::vector<CGrItemList*>& keep) {
    CUniqueObjects kept, spared, doomedGroups, doomedItems;
    for (CGrItemList* group : keep) {
        if (!kept.Add(group))
            continue;
        for (POSITION pos = group->GetHeadPosition(); pos;)
            spared.Add(group->GetNext(pos));
    }
    for (CGrItemList* group : groups)
        if (!kept.Contains(group))
            doomedGroups.Add(group);
    const std::vector<CGrItemList*> doomed = doomedGroups.As<CGrItemList>();
    for (CGrItemList* group : doomed) {
        for (POSITION pos = group->GetHeadPosition(); pos;) {
            CObject* item = group->GetNext(pos);
            if (!spared.Contains(item))
                doomedItems.Add(item);
        }
        group->RemoveAll();
    }
    for (CObject* item : doomedItems.As<CObject>())
        delete item;
    for (CGrItemList* group : doomed)
        delete group;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CGrItemList

CGrItemList::CGrItemList() : CObList(kGroupBlockSize) {}

CGrItemList::~CGrItemList() {
    CUniqueObjects items;
    for (POSITION pos = GetHeadPosition(); pos;)
        items.Add(GetNext(pos));
    RemoveAll();
    for (CObject* item : items.As<CObject>())
        delete item;
}

void CGrItemList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;)
            ar << GetNext(pos);
        ar << static_cast<std::int32_t>(m_nGroupTag) << m_strName;
        return;
    }
    // Entries that refer back to items read before belong to whoever read them first: if the
    // group fails to load they leave it before it is deleted.
    std::vector<POSITION> borrowed;
    try {
        const DWORD count = ar.ReadCount();
        for (DWORD i = 0; i < count; ++i) {
            const DWORD before = ar.GetMapCount();
            // Only items belong in a group; anything else is a damaged stream.
            CObject* item = ar.ReadObject(RUNTIME_CLASS(CGraphicItem));
            const POSITION pos = AddTail(item);
            if (item && ar.GetMapCount() == before)
                borrowed.push_back(pos);
        }
        ar >> m_nGroupTag >> m_strName;
    } catch (...) {
        for (POSITION pos : borrowed)
            RemoveAt(pos);
        throw;
    }
}

void CGrItemList::LoadOwnedItems(CArchive& ar) {
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
        const DWORD before = ar.GetMapCount();
        CObject* item = ar.ReadObject(RUNTIME_CLASS(CGraphicItem));
        if (item && ar.GetMapCount() != before)
            AddTail(item);
    }
    ar >> m_nGroupTag >> m_strName;
}

// ---------------------------------------------------------------------------------------------
// CGraphicItemList

CGraphicItemList::CGraphicItemList() : CMapWordToOb(kGroupBlockSize), m_RegionalSettings(nullptr) {
    m_RegionalSettings.SetCallbackWnd(this);
}

CGraphicItemList::~CGraphicItemList() {
    DeleteAllGroups();
}

void CGraphicItemList::DeleteAllGroups() {
    std::vector<CGrItemList*> groups;
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        groups.push_back(static_cast<CGrItemList*>(group));
    }
    RemoveAll();
    m_posHitGroup = m_posHitItem = nullptr;
    DeleteGroups(groups, {});
}

template <class Visit> void CGraphicItemList::ForEachItem(Visit visit) {
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        if (!group)
            continue;
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION at = items->GetHeadPosition(); at;)
            if (auto* item = static_cast<CGraphicItem*>(items->GetNext(at)))
                visit(item);
    }
}

int CGraphicItemList::AddItem(WORD type, CGraphicItem* item) {
    item->SetResolution(m_dResolutionX, m_dResolutionY);
    item->SetMagnification(m_dMagnificationX, m_dMagnificationY);
    CObject* group = nullptr;
    if (Lookup(type, group) && group) {
        static_cast<CGrItemList*>(group)->AddTail(item);
        return 1;
    }
    try {
        auto* created = new CGrItemList;
        SetAt(type, created);
        created->AddTail(item);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int CGraphicItemList::DeleteItemItem(CGraphicItem* item, WORD type) {
    if (!item)
        return 0;
    // Removes every occurrence from one group; the hit cursor must not point at a removed one.
    const auto removeFrom = [&](CObject* groupObject) {
        bool found = false;
        auto* group = static_cast<CGrItemList*>(groupObject);
        for (POSITION pos = group ? group->GetHeadPosition() : nullptr; pos;) {
            const POSITION at = pos;
            if (group->GetNext(pos) != item)
                continue;
            if (at == m_posHitItem)
                m_posHitGroup = m_posHitItem = nullptr;
            group->RemoveAt(at);
            found = true;
        }
        return found;
    };

    bool found = false;
    if (type != 0xFFFF) {
        CObject* group = nullptr;
        found = Lookup(type, group) && removeFrom(group);
    } else {
        for (POSITION pos = GetStartPosition(); pos && !found;) {
            WORD key;
            CObject* group;
            GetNextAssoc(pos, key, group);
            found = removeFrom(group);
        }
    }
    if (!found)
        return 0;
    // An item the host added under several keys leaves all of them before it is deleted.
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        removeFrom(group);
    }
    delete item;
    return 1;
}

void CGraphicItemList::Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) {
    if (m_wTypesToDraw == 0xFFFF) {
        ForEachItem([&](CGraphicItem* item) { item->Draw(dc, zoom, types, flags, extra); });
        return;
    }
    for (int bit = 0; bit < 16; ++bit) {
        const auto key = static_cast<WORD>(1u << bit);
        CObject* group = nullptr;
        if (!(m_wTypesToDraw & key) || !Lookup(key, group) || !group)
            continue;
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION pos = items->GetHeadPosition(); pos;)
            if (auto* item = static_cast<CGraphicItem*>(items->GetNext(pos)))
                item->Draw(dc, zoom, types, flags, extra);
    }
}

CGraphicItem* CGraphicItemList::FindHits(CVector* point, int& more, double zoom, POSITION mapStart,
                                         POSITION listStart) {
    CGraphicItem* found = nullptr;
    bool firstGroup = true;
    for (POSITION mapPos = mapStart; mapPos;) {
        m_posHitGroup = mapPos;
        WORD key;
        CObject* group;
        GetNextAssoc(mapPos, key, group);
        auto* items = static_cast<CGrItemList*>(group);
        const POSITION from = firstGroup ? listStart : nullptr;
        firstGroup = false;
        if (!items)
            continue;
        const bool second = items->ForEachHitCandidate(
            *point, from, m_bUseHitIndex != FALSE, [&](POSITION at, CGraphicItem* item) {
                m_posHitItem = at;
                if (!item || !item->HitTest(point, zoom) || !IsVisible(item))
                    return false;
                if (found)
                    return true;
                found = item;
                return false;
            });
        if (second) {
            more = 1;
            return found;
        }
    }
    m_posHitGroup = m_posHitItem = nullptr;
    more = 0;
    return found;
}

CGraphicItem* CGraphicItemList::HitTest(CVector* point, int& more, double zoom) {
    return FindHits(point, more, zoom, GetStartPosition(), nullptr);
}

CGraphicItem* CGraphicItemList::GetNextHit(CVector* point, int& more, double zoom) {
    if (!m_posHitGroup) {
        more = 0;
        return nullptr;
    }
    return FindHits(point, more, zoom, m_posHitGroup, m_posHitItem);
}

int CGraphicItemList::IsVisible(CGraphicItem* item) {
    return (m_wTypesToDraw & item->GetClass()) ? 1 : 0;
}

void CGraphicItemList::SetMagnification(double x, double y) {
    if (x != 0.0)
        m_dMagnificationX = x;
    if (y != 0.0)
        m_dMagnificationY = y;
    ForEachItem(
        [&](CGraphicItem* item) { item->SetMagnification(m_dMagnificationX, m_dMagnificationY); });
}

void CGraphicItemList::GetMagnification(double* x, double* y) const {
    *x = m_dMagnificationX;
    *y = m_dMagnificationY;
}

void CGraphicItemList::SetResolution(double x, double y) {
    m_dResolutionX = x;
    m_dResolutionY = y;
    ForEachItem([&](CGraphicItem* item) { item->SetResolution(x, y); });
}

void CGraphicItemList::GetResolution(double* x, double* y) const {
    *x = m_dResolutionX;
    *y = m_dResolutionY;
}

void CGraphicItemList::SetCalibrated(int calibrated) {
    m_bCalibrated = calibrated;
    if (calibrated)
        return;
    m_dMagnificationX = m_dMagnificationY = 1.0;
    m_dResolutionX = m_dResolutionY = 0.0;
    SetMagnification(1.0, 1.0);
    SetResolution(0.0, 0.0);
}

void CGraphicItemList::OnRegionalSettingsChanged() {
    ForEachItem([&](CGraphicItem* item) { item->OnRegionalSettingsChanged(m_RegionalSettings); });
}

// Angles move as a whole; measurement labels and profile graphs, which a whole-item move
// leaves in place, follow in a second move. The kinds are recognised by their class names.
int CGraphicItemList::MoveItems(double dx, double dy) {
    const CClassRegistry& registry = CClassRegistry::Instance();
    ForEachItem([&](CGraphicItem* item) {
        const bool angle = registry.IsKindOf(item, "CGrAngle");
        item->Move(dx, dy, angle ? CGraphicItem::hitWhole : CGraphicItem::hitBody);
        if (angle || registry.IsKindOf(item, "CGrPolyDist"))
            item->Move(dx, dy, CGraphicItem::hitLabel);
        else if (registry.IsKindOf(item, "CGrDensityLine"))
            item->Move(dx, dy, CGraphicItem::hitWhole);
    });
    return 1;
}

int CGraphicItemList::RotateItems(double angle, CVector* centre) {
    ForEachItem([&](CGraphicItem* item) { item->Rotate(angle, centre); });
    return 1;
}

int CGraphicItemList::FlipHorizontal(LONG axis) {
    ForEachItem([&](CGraphicItem* item) { item->FlipHorizontal(axis); });
    return 1;
}

void CGraphicItemList::BitmapForItems(struct_LEAD_Bitmap* bitmap) {
    ForEachItem([&](CGraphicItem* item) {
        if (auto* user = dynamic_cast<CBitmapUser*>(item))
            user->OnBitmapForItems(bitmap);
    });
}

WORD CGraphicItemList::GetFreeTypeID() const {
    for (DWORD key = 0; key <= 0xFFFF; ++key) {
        CObject* group = nullptr;
        if (!Lookup(static_cast<WORD>(key), group))
            return static_cast<WORD>(key);
    }
    return 0; // every key is taken; the count wraps as a 16-bit key would
}

void CGraphicItemList::StoreBody(CArchive& ar) {
    ar.WriteCount(static_cast<DWORD>(GetCount()));
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        ar << key << group;
    }
    ar << static_cast<std::int32_t>(m_nListTag) << static_cast<std::int32_t>(m_bCalibrated)
       << m_dResolutionX << m_dResolutionY << m_dMagnificationX << m_dMagnificationY;
}

void CGraphicItemList::LoadBody(CArchive& ar) {
    // Groups that a repeated key replaces are deleted once the load ends, either way.
    std::vector<CGrItemList*> replaced;
    const auto discardReplaced = [&] {
        std::vector<CGrItemList*> current;
        for (POSITION pos = GetStartPosition(); pos;) {
            WORD key;
            CObject* group;
            GetNextAssoc(pos, key, group);
            current.push_back(static_cast<CGrItemList*>(group));
        }
        DeleteGroups(replaced, current);
    };
    try {
        const DWORD count = ar.ReadCount();
        for (DWORD i = 0; i < count; ++i) {
            WORD key;
            ar >> key;
            // Only groups belong in the map; anything else is a damaged stream.
            auto* group = static_cast<CGrItemList*>(ar.ReadObject(RUNTIME_CLASS(CGrItemList)));
            CObject* previous = nullptr;
            if (Lookup(key, previous) && previous && previous != group)
                replaced.push_back(static_cast<CGrItemList*>(previous));
            SetAt(key, group);
        }
        ar >> m_nListTag >> m_bCalibrated >> m_dResolutionX >> m_dResolutionY >>
            m_dMagnificationX >> m_dMagnificationY;
    } catch (...) {
        ReleaseItemsOwnedBySymbols();
        discardReplaced();
        throw;
    }
    discardReplaced();

    // Null entries and null groups are dropped.
    std::vector<WORD> emptyKeys;
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        if (!group) {
            emptyKeys.push_back(key);
            continue;
        }
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION at = items->GetHeadPosition(); at;) {
            const POSITION entry = at;
            if (!items->GetNext(at))
                items->RemoveAt(entry);
        }
    }
    for (WORD key : emptyKeys)
        RemoveKey(key);
    ReleaseItemsOwnedBySymbols();

    SetResolution(m_dResolutionX, m_dResolutionY);
    SetMagnification(m_dMagnificationX, m_dMagnificationY);
    OnRegionalSettingsChanged();
    m_wTypesToDraw = typesAfterLoading;
}

// A damaged file may list in a group an item that a symbol already owns (a symbol keeps only
// the items it read itself): the group lets go of it, so that it is deleted once.
void CGraphicItemList::ReleaseItemsOwnedBySymbols() {
    std::unordered_set<CObject*> owned;
    std::vector<CGraphicSymbol*> symbols;
    ForEachItem([&](CGraphicItem* item) {
        if (item->IsKindOf(RUNTIME_CLASS(CGraphicSymbol)))
            symbols.push_back(static_cast<CGraphicSymbol*>(item));
    });
    while (!symbols.empty()) {
        CGrItemList& items = symbols.back()->GetItems();
        symbols.pop_back();
        for (POSITION pos = items.GetHeadPosition(); pos;) {
            CObject* item = items.GetNext(pos);
            if (item && owned.insert(item).second && item->IsKindOf(RUNTIME_CLASS(CGraphicSymbol)))
                symbols.push_back(static_cast<CGraphicSymbol*>(item));
        }
    }
    if (owned.empty())
        return;
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        auto* items = static_cast<CGrItemList*>(group);
        for (POSITION at = items ? items->GetHeadPosition() : nullptr; at;) {
            const POSITION entry = at;
            if (owned.count(items->GetNext(at)))
                items->RemoveAt(entry);
        }
    }
}

void CGraphicItemList::Serialize(CArchive& ar) {
    try {
        if (ar.IsStoring())
            StoreBody(ar);
        else
            LoadBody(ar);
    } catch (const CException&) {
        WriteLogError(kSerializeErrorCode, kSerializeErrorSource, kSerializeErrorLine,
                      __TIMESTAMP__);
        throw;
    } catch (const std::bad_alloc&) {
        WriteLogError(kSerializeErrorCode, kSerializeErrorSource, kSerializeErrorLine,
                      __TIMESTAMP__);
        throw;
    }
}

void* CGraphicItemList::GetGlobalHandle() {
    HGLOBAL block = nullptr;
    try {
        CMemFile file(kMemFileGrowth);
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        ar << this;
        ar.Close();
        const auto length = static_cast<std::size_t>(file.GetLength());
        block = GlobalAlloc(GMEM_MOVEABLE, length);
        if (!block)
            return nullptr;
        void* bytes = GlobalLock(block);
        if (!bytes) {
            GlobalFree(block);
            return nullptr;
        }
        file.SeekToBegin();
        file.Read(bytes, static_cast<UINT>(length));
        GlobalUnlock(block);
        return block;
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
    if (block)
        GlobalFree(block);
    return nullptr;
}

CGraphicItemList* CGraphicItemList::FromFile(const char* path) {
    try {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        CObject* object = ar.ReadObject(RUNTIME_CLASS(CGraphicItemList));
        ar.Close();
        file.Close();
        return static_cast<CGraphicItemList*>(object);
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The symbol library

namespace {

constexpr const char* kDisabledGroupsKey = "Software\\Brantel\\Velmar\\DisabledGroups";
constexpr const char* kDisabledSymbolsKey = "Software\\Brantel\\Velmar\\DisabledSymbols";
constexpr const char* kStateSeparator = "||";

CGraphicItemList* g_pModuleSymbolLibrary = nullptr;

CString Trimmed(CString text) {
    text.Trim();
    return text;
}

CString SymbolKey(const CString& group, const char* symbol) {
    CString key = group;
    key += "_";
    key += symbol;
    return key;
}

CGraphicSymbol* AsSymbol(CObject* entry) {
    return entry && entry->IsKindOf(RUNTIME_CLASS(CGraphicSymbol))
               ? static_cast<CGraphicSymbol*>(entry)
               : nullptr;
}

// A settings entry holds any name but an empty one, one with a line break or '=' (which would
// end the entry's name) or one that starts with '[' (which would read as a section).
bool StorableName(const CString& name) {
    const std::string& text = name.str();
    return !text.empty() && text.front() != '[' && text.find_first_of("=\r\n") == std::string::npos;
}

int HideName(const char* key, const CString& name) {
    const CString entry = Trimmed(name);
    if (!StorableName(entry))
        return 0;
    return CUserSettings::WriteProfileInt(CUserSettings::SectionOfKey(key), entry, 1) ? 1 : 0;
}

int ShowName(const char* key, const CString& name) {
    const CString entry = Trimmed(name);
    const CString section = CUserSettings::SectionOfKey(key);
    if (!StorableName(entry) || CUserSettings::GetProfileString(section, entry, "\n") == "\n")
        return 0;
    return CUserSettings::WriteProfileString(section, entry, nullptr) ? 1 : 0;
}

bool IsNameHidden(const char* key, const CString& name) {
    const CString entry = Trimmed(name);
    return StorableName(entry) &&
           CUserSettings::GetProfileInt(CUserSettings::SectionOfKey(key), entry, -1) != -1;
}

// Measures lines into a list's horizontal extent, in the list's font, when the list has a
// drawing context.
class CListMeasure {
public:
    CListMeasure(CListBox* lb, CFont* font) : m_lb(lb), m_dc(lb->GetDC()) {
        if (m_dc && font)
            m_previous = m_dc->SelectObject(font);
    }
    ~CListMeasure() {
        if (!m_dc)
            return;
        m_lb->SetHorizontalExtent(m_width);
        if (m_previous)
            m_dc->SelectObject(m_previous);
        m_lb->ReleaseDC(m_dc);
    }
    CListMeasure(const CListMeasure&) = delete;
    CListMeasure& operator=(const CListMeasure&) = delete;

    int Add(const char* text) {
        const int index = m_lb->AddString(text);
        if (m_dc) {
            CString line = text;
            line += "x";
            m_width = std::max(m_width, static_cast<int>(m_dc->GetTextExtent(line).cx));
        }
        return index;
    }

private:
    CListBox* m_lb;
    CDC* m_dc;
    CFont* m_previous = nullptr;
    int m_width = 1;
};

void WriteStateEntry(CFile& file, const CString& name) {
    CString entry = Trimmed(name);
    entry += kStateSeparator;
    file.Write(entry.GetString(), static_cast<UINT>(entry.GetLength()));
}

// Hides again every name of a state file: the text up to its last "||", name by name.
bool RestoreHidden(CFile* file, int (CGraphicItemList::*hide)(CString), CGraphicItemList& library) {
    std::string text;
    try {
        file->SeekToBegin();
        char buffer[4096];
        for (UINT read; (read = file->Read(buffer, sizeof buffer)) > 0;)
            text.append(buffer, read);
    } catch (const CException&) {
        return true;
    }
    CString s = Trimmed(CString(text));
    const std::string& all = s.str();
    const auto last = all.rfind(kStateSeparator);
    if (last != std::string::npos)
        s = CString(all.substr(0, last + 2));
    while (!s.IsEmpty() && s.Find(kStateSeparator) >= 0) {
        const CString name = s.Left(s.Find(kStateSeparator));
        if (!name.IsEmpty())
            (library.*hide)(name);
        // An empty name removes every separator, which ends the walk.
        CString entry = name;
        entry += kStateSeparator;
        s.Replace(entry, "");
    }
    return true;
}

} // namespace

CGraphicItemList* GetModuleSymbolLibrary() {
    return g_pModuleSymbolLibrary;
}

CGraphicItemList* SetModuleSymbolLibrary(CGraphicItemList* library) {
    CGraphicItemList* previous = g_pModuleSymbolLibrary;
    g_pModuleSymbolLibrary = library;
    return previous;
}

template <class Visit> void CGraphicItemList::ForEachGroup(Visit visit) {
    for (POSITION pos = GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        GetNextAssoc(pos, key, group);
        if (group && visit(static_cast<CGrItemList*>(group)))
            return;
    }
}

CGrItemList* CGraphicItemList::FindGroup(const char* name) {
    CGrItemList* found = nullptr;
    if (name)
        ForEachGroup([&](CGrItemList* group) {
            if (group->GetName() == name)
                found = group;
            return found != nullptr;
        });
    return found;
}

int CGraphicItemList::AddSymbolGroup(const char* name) {
    if (!name || Trimmed(name).IsEmpty())
        return 0;
    if (FindGroup(name))
        return 1;
    try {
        auto group = std::make_unique<CGrItemList>();
        group->SetName(name);
        SetAt(GetFreeTypeID(), group.get());
        group.release();
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CGraphicItemList::AddSymbolToGroup(const char* group, CGraphicSymbol* symbol) {
    CGrItemList* found = FindGroup(group);
    if (!found || !symbol)
        return 0;
    found->AddTail(symbol);
    return 1;
}

int CGraphicItemList::DeleteGroup(const char* group) {
    for (POSITION pos = GetStartPosition(); pos && group;) {
        WORD key;
        CObject* entry;
        GetNextAssoc(pos, key, entry);
        if (entry && static_cast<CGrItemList*>(entry)->GetName() == group) {
            RemoveKey(key);
            delete entry;
            return 1;
        }
    }
    return 0;
}

int CGraphicItemList::DeleteSymbol(const char* group, const char* symbol) {
    int deleted = 0;
    if (group && symbol)
        ForEachGroup([&](CGrItemList* entries) {
            if (entries->GetName() != group)
                return false;
            for (POSITION pos = entries->GetHeadPosition(); pos;) {
                const POSITION at = pos;
                CGraphicSymbol* found = AsSymbol(entries->GetNext(pos));
                if (found && std::strcmp(found->GetName(), symbol) == 0) {
                    entries->RemoveAt(at);
                    delete found;
                    deleted = 1;
                    return true;
                }
            }
            return false;
        });
    return deleted;
}

CGraphicSymbol* CGraphicItemList::GetSymbol(const char* group, const char* symbol) {
    CGraphicSymbol* original = nullptr;
    if (group && symbol)
        ForEachGroup([&](CGrItemList* entries) {
            if (entries->GetName() != group)
                return false;
            for (POSITION pos = entries->GetHeadPosition(); pos && !original;) {
                CGraphicSymbol* found = AsSymbol(entries->GetNext(pos));
                if (found && std::strcmp(found->GetName(), symbol) == 0)
                    original = found;
            }
            return original != nullptr;
        });
    if (!original)
        return nullptr;
    try {
        CMemFile file(kMemFileGrowth);
        {
            CArchive ar(&file, CArchive::store, kArchiveBuffer);
            ar << original;
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        std::unique_ptr<CObject> copy(ar.ReadObject(RUNTIME_CLASS(CGraphicSymbol)));
        ar.Close();
        if (!AsSymbol(copy.get()))
            return nullptr;
        return static_cast<CGraphicSymbol*>(copy.release());
    } catch (const CException&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CGraphicSymbol* CGraphicItemList::SelectSymbol() {
    CSymbolSelectionDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return nullptr;
    return dialog.TakeSymbol();
}

int CGraphicItemList::DumpItems(CGraphicSymbol* symbol) {
    int result = 1;
    ForEachItem([&](CGraphicItem* item) {
        if (result && !symbol->AddItem(item))
            result = 0;
    });
    return result;
}

void CGraphicItemList::AddGroupsToLB(CListBox* lb, CFont* font) {
    CListMeasure measure(lb, font);
    ForEachGroup([&](CGrItemList* group) {
        const CString name = Trimmed(group->GetName());
        if (!IsSymbolGroupDisabled(name))
            measure.Add(name);
        return false;
    });
}

void CGraphicItemList::AddSymbols(const char* group, CListBox* lb, CFont* font, bool checkList) {
    CListMeasure measure(lb, font);
    ForEachGroup([&](CGrItemList* entries) {
        if (!group || entries->GetName() != group)
            return false;
        for (POSITION pos = entries->GetHeadPosition(); pos;) {
            CGraphicSymbol* symbol = AsSymbol(entries->GetNext(pos));
            if (!symbol)
                continue;
            const bool hidden = IsSymbolDisabled(SymbolKey(entries->GetName(), symbol->GetName()));
            if (!checkList && hidden)
                continue;
            const int index = measure.Add(symbol->GetName());
            if (checkList)
                static_cast<CCheckListBox*>(lb)->SetCheck(index,
                                                          hidden ? BST_UNCHECKED : BST_CHECKED);
        }
        return false;
    });
}

void CGraphicItemList::AddSymbolsToLB(const char* group, CListBox* lb, CFont* font) {
    AddSymbols(group, lb, font, false);
}

void CGraphicItemList::AddSymbolsToCheckListBox(const char* group, CCheckListBox* lb, CFont* font) {
    AddSymbols(group, lb, font, true);
}

void CGraphicItemList::AddGroupsToCheckListBox(CCheckListBox* lb, CFont* font) {
    CFile groups(groupsStateFile, CFile::modeCreate | CFile::modeWrite);
    CFile symbols(symbolsStateFile, CFile::modeCreate | CFile::modeWrite);
    CListMeasure measure(lb, font);
    ForEachGroup([&](CGrItemList* group) {
        const CString name = group->GetName();
        const bool hidden = IsSymbolGroupDisabled(name);
        if (hidden)
            WriteStateEntry(groups, name);
        for (POSITION pos = group->GetHeadPosition(); pos;)
            if (CGraphicSymbol* symbol = AsSymbol(group->GetNext(pos))) {
                const CString key = SymbolKey(name, symbol->GetName());
                if (IsSymbolDisabled(key))
                    WriteStateEntry(symbols, key);
            }
        const int index = measure.Add(name);
        lb->SetCheck(index, hidden ? BST_UNCHECKED : BST_CHECKED);
        return false;
    });
    groups.Close();
    symbols.Close();
}

bool CGraphicItemList::IsSymbolGroupDisabled(CString group) const {
    return IsNameHidden(kDisabledGroupsKey, group);
}

bool CGraphicItemList::IsSymbolDisabled(CString key) const {
    return IsNameHidden(kDisabledSymbolsKey, key);
}

int CGraphicItemList::DisableSymbolGroup(CString group) {
    return HideName(kDisabledGroupsKey, group);
}

int CGraphicItemList::DisableSymbol(CString key) {
    return HideName(kDisabledSymbolsKey, key);
}

int CGraphicItemList::EnableSymbolGroup(CString group) {
    return ShowName(kDisabledGroupsKey, group);
}

int CGraphicItemList::EnableSymbol(CString key) {
    return ShowName(kDisabledSymbolsKey, key);
}

bool CGraphicItemList::RestoreInitalGroupsState(CFile* file) {
    return RestoreHidden(file, &CGraphicItemList::DisableSymbolGroup, *this);
}

bool CGraphicItemList::RestoreInitalSymbolsState(CFile* file) {
    return RestoreHidden(file, &CGraphicItemList::DisableSymbol, *this);
}

} // namespace vellum
