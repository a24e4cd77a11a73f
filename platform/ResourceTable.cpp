#include <vellum/platform/ResourceTable.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vellum {

namespace {
std::vector<const CResourceTable*>& Chain() {
    static std::vector<const CResourceTable*> chain;
    return chain;
}

// The first non-null answer of find over the chain.
template <class Find> auto FindInChain(Find find) -> decltype(find(*Chain().front())) {
    for (const CResourceTable* table : Chain())
        if (const auto* found = find(*table))
            return found;
    return nullptr;
}
} // namespace

const char* CResourceTable::FindString(UINT stringId) const {
    for (const CStringResource& entry : strings)
        if (entry.id == stringId)
            return entry.text;
    return nullptr;
}

const CDialogTemplate* CResourceTable::FindDialog(UINT dialogId) const {
    for (const CDialogTemplate& dialog : dialogs)
        if (dialog.id == dialogId)
            return &dialog;
    return nullptr;
}

const CMenuTemplate* CResourceTable::FindMenu(const char* menuName) const {
    if (!menuName)
        return nullptr;
    for (const CMenuTemplate& menu : menus)
        if (menu.name && std::strcmp(menu.name, menuName) == 0)
            return &menu;
    return nullptr;
}

const CMenuTemplate* CResourceTable::FindMenu(UINT menuId) const {
    for (const CMenuTemplate& menu : menus)
        if (!menu.name && menu.id == menuId)
            return &menu;
    return nullptr;
}

void AfxAddResourceTable(const CResourceTable* table) {
    auto& chain = Chain();
    if (table && std::find(chain.begin(), chain.end(), table) == chain.end())
        chain.push_back(table);
}

void AfxRemoveResourceTable(const CResourceTable* table) {
    auto& chain = Chain();
    chain.erase(std::remove(chain.begin(), chain.end(), table), chain.end());
}

const char* AfxFindString(UINT stringId) {
    return FindInChain([stringId](const CResourceTable& t) { return t.FindString(stringId); });
}

const CDialogTemplate* AfxFindDialogTemplate(UINT dialogId) {
    return FindInChain([dialogId](const CResourceTable& t) { return t.FindDialog(dialogId); });
}

const CMenuTemplate* AfxFindMenuTemplate(const char* menuName) {
    return FindInChain([menuName](const CResourceTable& t) { return t.FindMenu(menuName); });
}

const CMenuTemplate* AfxFindMenuTemplate(UINT menuId) {
    return FindInChain([menuId](const CResourceTable& t) { return t.FindMenu(menuId); });
}

} // namespace vellum
