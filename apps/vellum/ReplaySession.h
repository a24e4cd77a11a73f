#pragma once
// A replay session: the interactive window over a view that the Cairo backend draws, driven
// through the steps of a script as a viewer forwards its mouse and settings. The view opens
// at the first mouse event; exclusive-or drawing goes straight into its picture, as on a
// screen, so that rubber bands can be seen in the frames.

#include "ReplayScript.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/imaging/Bitmap.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vellum::tool {

struct ReplayOptions {
    std::string scriptName;                    // names the script in errors
    struct_LEAD_Bitmap* image = nullptr;       // null: a plain ramp of the script's size
    std::unique_ptr<CGraphicItemList> library; // null: the library the user's settings name
    int maxViewSide = kMaxReplaySide;          // a larger view is refused
    std::FILE* log = stdout;                   // dialogs, menus, calibrations; null: silent
    // Called after every mouse event with the event's number (from 1), its verb and the view.
    std::function<void(int, const std::string&, const CCairoDC&)> onEvent;
};

class ReplaySession {
public:
    explicit ReplaySession(ReplayOptions options);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Runs the steps in order, then opens the view if no event did and paints what is left.
    // CommandError names the script line that cannot run; the library's CException passes.
    void Run(const std::vector<ReplayStep>& steps);

    const CCairoDC& Picture() const;
    CGraphicItemList* List();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace vellum::tool
