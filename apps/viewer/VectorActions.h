#pragma once
// The window's vector actions as the viewer offers them: every action code with its name, the
// run-time class of the item it creates (none for select, rotate and delete), its shortcut
// and an icon painted in code. An action that creates items is offered only while its class
// is in the class registry, so item kinds that the library gains appear without a change here.

#include <QIcon>
#include <QString>

#include <span>

namespace vellum::viewer {

struct VectorAction {
    int code;              // CGraphicWnd's action code
    const char* name;      // menu text
    const char* itemClass; // the run-time class of the new item; null when none is made
    const char* shortcut;
};

std::span<const VectorAction> VectorActions();
// True when the viewer can offer the action: it makes no item, or its class is registered.
bool IsOffered(const VectorAction& action);
// A 32 x 32 icon drawn with QPainter.
QIcon VectorActionIcon(int code);

} // namespace vellum::viewer
