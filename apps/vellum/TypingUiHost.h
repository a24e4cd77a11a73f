#pragma once
// The UI host of the tool's own sessions, which have no user at a keyboard: the next text
// editor that opens (a property sheet whose page has the text field) gets the queued text
// typed into it and is confirmed with OK; everything else is declined as the headless host
// declines it.

#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/String.h>

#include <deque>

namespace vellum::tool {

class TypingUiHost : public CHeadlessUiHost {
public:
    // Text in Windows-1252, line breaks as carriage return and line feed.
    void QueueText(const CString& text) { m_texts.push_back(text); }
    bool HasText() const { return !m_texts.empty(); }

    void RunPropertySheet(CPropertySheet& sheet) override;

private:
    std::deque<CString> m_texts;
};

} // namespace vellum::tool
