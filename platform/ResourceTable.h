#pragma once
// Resources: string tables, dialog templates and menus, found by identifier (menus also by
// name) as the framework finds them. A module's resources are one CResourceTable; the tables
// that modules add form the resource chain, searched in the order they were added. Texts are
// Windows-1252 bytes, as CString holds them.

#include <vellum/platform/DialogTemplate.h>
#include <vellum/platform/Types.h>

#include <span>

namespace vellum {

struct CStringResource {
    UINT id;
    const char* text;
};

// One menu entry: a command, a separator (no text) or a submenu (popup entries).
struct CMenuItemTemplate {
    const char* text;
    UINT command;
    std::span<const CMenuItemTemplate> popup;
};

// A menu resource is known by its name, or by its identifier when it has no name.
struct CMenuTemplate {
    const char* name;
    UINT id;
    std::span<const CMenuItemTemplate> items;
};

struct CResourceTable {
    std::span<const CStringResource> strings;
    std::span<const CDialogTemplate> dialogs;
    std::span<const CMenuTemplate> menus;

    // Null when the table has no such resource.
    const char* FindString(UINT stringId) const;
    const CDialogTemplate* FindDialog(UINT dialogId) const;
    const CMenuTemplate* FindMenu(const char* menuName) const;
    const CMenuTemplate* FindMenu(UINT menuId) const;
};

// Adds a table to the end of the resource chain; adding it again does nothing. The table
// must outlive its place in the chain.
void AfxAddResourceTable(const CResourceTable* table);
void AfxRemoveResourceTable(const CResourceTable* table);

// The first resource of the chain with this identifier or name, or null.
const char* AfxFindString(UINT stringId);
const CDialogTemplate* AfxFindDialogTemplate(UINT dialogId);
const CMenuTemplate* AfxFindMenuTemplate(const char* menuName);
const CMenuTemplate* AfxFindMenuTemplate(UINT menuId);

} // namespace vellum
