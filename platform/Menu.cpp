#include <vellum/platform/Menu.h>

#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/Wnd.h>

namespace vellum {

CMenu::~CMenu() = default;

BOOL CMenu::CreatePopupMenu() {
    if (m_bCreated)
        return FALSE;
    m_bCreated = true;
    return TRUE;
}

BOOL CMenu::LoadMenu(const char* resourceName) {
    const CMenuTemplate* menu = AfxFindMenuTemplate(resourceName);
    if (m_bCreated || !menu)
        return FALSE;
    Load(menu->items.data(), menu->items.size());
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT resourceId) {
    const CMenuTemplate* menu = AfxFindMenuTemplate(resourceId);
    if (m_bCreated || !menu)
        return FALSE;
    Load(menu->items.data(), menu->items.size());
    return TRUE;
}

void CMenu::Load(const CMenuItemTemplate* items, std::size_t count) {
    m_bCreated = true;
    for (std::size_t i = 0; i < count; ++i) {
        const CMenuItemTemplate& item = items[i];
        if (!item.text) {
            m_entries.push_back({CString(), 0, MF_SEPARATOR, nullptr});
        } else if (!item.popup.empty()) {
            auto popup = std::make_unique<CMenu>();
            popup->Load(item.popup.data(), item.popup.size());
            m_entries.push_back({CString(item.text), 0, MF_POPUP, std::move(popup)});
        } else {
            m_entries.push_back({CString(item.text), item.command, MF_STRING, nullptr});
        }
    }
}

BOOL CMenu::DestroyMenu() {
    if (!m_bCreated)
        return FALSE;
    m_entries.clear();
    m_bCreated = false;
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT idNewItem, const char* text) {
    if (!m_bCreated || (flags & MF_POPUP))
        return FALSE;
    std::size_t index = m_entries.size();
    if (flags & MF_BYPOSITION) {
        if (position < m_entries.size())
            index = position;
    } else {
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (!(m_entries[i].flags & (MF_POPUP | MF_SEPARATOR)) && m_entries[i].id == position)
                index = i;
    }
    const bool separator = flags & MF_SEPARATOR;
    const UINT state = flags & (MF_GRAYED | MF_CHECKED | MF_SEPARATOR);
    Entry entry{separator ? CString() : CString(text), separator ? 0 : idNewItem, state, nullptr};
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT idNewItem, const char* text) {
    return InsertMenu(static_cast<UINT>(-1), flags | MF_BYPOSITION, idNewItem, text);
}

UINT CMenu::GetMenuItemCount() const {
    return m_bCreated ? static_cast<UINT>(m_entries.size()) : static_cast<UINT>(-1);
}

UINT CMenu::GetMenuItemID(int position) const {
    const Entry* entry = Find(static_cast<UINT>(position), MF_BYPOSITION);
    if (!entry)
        return static_cast<UINT>(-1);
    return entry->popup ? static_cast<UINT>(-1) : entry->id;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    const Entry* entry = Find(item, flags);
    return entry ? entry->flags : static_cast<UINT>(-1);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const Entry* entry = Find(item, flags);
    text = entry ? entry->text : CString();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const {
    const Entry* entry = Find(static_cast<UINT>(position), MF_BYPOSITION);
    return entry ? entry->popup.get() : nullptr;
}

const CMenu::Entry* CMenu::Find(UINT item, UINT flags) const {
    if (flags & MF_BYPOSITION)
        return item < m_entries.size() ? &m_entries[item] : nullptr;
    for (const Entry& entry : m_entries)
        if (!(entry.flags & (MF_POPUP | MF_SEPARATOR)) && entry.id == item)
            return &entry;
    return nullptr;
}

bool CMenu::Offers(UINT command) const {
    for (const Entry& entry : m_entries) {
        if (entry.popup ? entry.popup->Offers(command)
                        : !(entry.flags & (MF_SEPARATOR | MF_GRAYED)) && entry.id == command)
            return true;
    }
    return false;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT*) {
    if (!m_bCreated)
        return FALSE;
    UINT command = AfxGetUiHost().TrackPopupMenu(*this, flags, POINT{x, y}, owner);
    if (command && !Offers(command))
        command = 0;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command && owner)
        owner->OnCommand(command, 0);
    return TRUE;
}

} // namespace vellum
