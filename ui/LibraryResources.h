#pragma once
// The library's own resources: the string table, the dialog templates of its pages and
// dialogs, and its menus (identifiers in Resource.h).

namespace vellum {

struct CResourceTable;

const CResourceTable& LibraryResources();
// Puts the library's resources in the resource chain; doing it again does nothing. The
// library's pages and dialogs do it when they are made, so their templates and captions are
// found whoever opens them.
void AddLibraryResources();

} // namespace vellum
