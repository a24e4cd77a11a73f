#pragma once
// CMenu: a menu made in code or loaded from the resources, and shown as a popup menu by the
// UI host. The entry the user chooses is sent to the owner window as a command, or returned
// with TPM_RETURNCMD.

#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>

#include <memory>
#include <vector>

namespace vellum {

class CWnd;
struct CMenuItemTemplate;

// Entry flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags.
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu();
    // Loads a menu of the resource chain by name or identifier; FALSE when there is none.
    BOOL LoadMenu(const char* resourceName);
    BOOL LoadMenu(UINT resourceId);
    BOOL DestroyMenu();
    BOOL IsCreated() const { return m_bCreated; }

    // Inserts a command (MF_STRING) or a separator before position or before the entry with
    // command position (MF_BYCOMMAND); at the end when there is no such entry. Submenus come
    // from the resources only: MF_POPUP is refused.
    BOOL InsertMenu(UINT position, UINT flags, UINT idNewItem = 0, const char* text = nullptr);
    BOOL AppendMenu(UINT flags, UINT idNewItem = 0, const char* text = nullptr);

    // (UINT)-1 when the menu is not created.
    UINT GetMenuItemCount() const;
    // The command of the entry at position: 0 for a separator, (UINT)-1 for a submenu.
    UINT GetMenuItemID(int position) const;
    // Entries are found MF_BYPOSITION, or MF_BYCOMMAND among this menu's own commands.
    // The MF_ flags of the entry; (UINT)-1 when missing.
    UINT GetMenuState(UINT item, UINT flags) const;
    // The entry's text and its length; 0 when missing.
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;

    // Shows the menu at the screen point (x, y). With TPM_RETURNCMD the chosen command, or
    // 0; otherwise the choice goes to owner's OnCommand and the result is TRUE. FALSE when
    // the menu is not created.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect = nullptr);

private:
    struct Entry {
        CString text;
        UINT id;
        UINT flags;
        std::unique_ptr<CMenu> popup;
    };

    void Load(const CMenuItemTemplate* items, std::size_t count);
    const Entry* Find(UINT item, UINT flags) const;
    // TRUE when an enabled entry of this menu or its submenus has this command.
    bool Offers(UINT command) const;

    bool m_bCreated = false;
    std::vector<Entry> m_entries;
};

} // namespace vellum
