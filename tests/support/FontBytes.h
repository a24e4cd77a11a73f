#pragma once
// The stored form of a font record, for tests that check text items byte for byte, and a
// font chooser's answer for tests that act as the user.

#include "support/ArchiveBytes.h"
#include "support/ScriptedUiHost.h"

#include <cstring>
#include <string>

namespace vellum::test {

// A record as CGraphicFont::Write stores it; names shorter than 255 bytes.
inline void AppendFont(Bytes& out, const std::string& face, const std::string& style, DWORD effects,
                       LONG weight, LONG italic, LONG pitch, BYTE charSet, LONG size,
                       COLORREF colour) {
    out.push_back(static_cast<BYTE>(face.size()));
    AppendText(out, face);
    out.push_back(static_cast<BYTE>(style.size()));
    AppendText(out, style);
    AppendDword(out, effects);
    AppendDword(out, static_cast<DWORD>(weight));
    AppendDword(out, static_cast<DWORD>(italic));
    AppendDword(out, static_cast<DWORD>(pitch));
    out.push_back(charSet);
    AppendDword(out, static_cast<DWORD>(size));
    AppendDword(out, colour);
}

// The default font of size 10: Arial, Regular, normal weight, black.
inline void AppendDefaultFont(Bytes& out, LONG size = 10) {
    AppendFont(out, "Arial", "Regular", 0, 400, 0, 0, 0, size, 0);
}

// A font chooser's answer: the face in bold italic at pointSize tenths of a point, red.
inline CScriptedUiHost::FontAnswer ChosenFont(const char* face, int pointSize) {
    CScriptedUiHost::FontAnswer answer{};
    answer.font.lfHeight = -19;
    answer.font.lfWeight = 700;
    answer.font.lfItalic = 1;
    std::strncpy(answer.font.lfFaceName, face, LF_FACESIZE - 1);
    answer.pointSize = pointSize;
    answer.colour = RGB(255, 0, 0);
    return answer;
}

} // namespace vellum::test
