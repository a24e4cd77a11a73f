#include "support/ScriptedUiHost.h"

#include <vellum/platform/Menu.h>

namespace vellum::test {

BOOL CScriptedUiHost::ChooseColor(CHOOSECOLOR& choice) {
    m_colorRequests.push_back(choice);
    if (m_colours.empty())
        return FALSE;
    choice.rgbResult = m_colours.front();
    m_colours.pop_front();
    return TRUE;
}

BOOL CScriptedUiHost::ChooseFont(CHOOSEFONT& choice) {
    m_fontRequests.push_back(choice);
    m_fontsShown.push_back(*choice.lpLogFont);
    if (m_fonts.empty())
        return FALSE;
    *choice.lpLogFont = m_fonts.front().font;
    choice.iPointSize = m_fonts.front().pointSize;
    choice.rgbColors = m_fonts.front().colour;
    m_fonts.pop_front();
    return TRUE;
}

UINT CScriptedUiHost::TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) {
    MenuShown shown{{}, {}, flags, screen, owner};
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        shown.texts.push_back(text);
        shown.commands.push_back(menu.GetMenuItemID(static_cast<int>(i)));
    }
    m_menus.push_back(shown);
    if (m_menuAnswers.empty())
        return 0;
    const UINT command = m_menuAnswers.front();
    m_menuAnswers.pop_front();
    return command;
}

} // namespace vellum::test
