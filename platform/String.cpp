#include <vellum/platform/String.h>

#include <vellum/platform/ResourceTable.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace vellum {

namespace {
std::size_t Clamp(int value, std::size_t limit) {
    if (value < 0)
        return 0;
    return std::min(static_cast<std::size_t>(value), limit);
}

// Classic-locale white space, so the result does not depend on the user's locale.
bool IsSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }
} // namespace

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    const std::size_t begin = Clamp(first, m_text.size());
    const std::size_t length = Clamp(count, m_text.size() - begin);
    return CString(m_text.substr(begin, length));
}

CString CString::Left(int count) const { return CString(m_text.substr(0, Clamp(count, m_text.size()))); }

CString CString::Right(int count) const {
    const std::size_t length = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - length));
}

int CString::Find(char ch, int start) const {
    const auto pos = m_text.find(ch, Clamp(start, m_text.size()));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
    const auto pos = m_text.find(sub ? sub : "", Clamp(start, m_text.size()));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    const auto pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(m_text.begin(), m_text.end(), IsSpace);
    m_text.erase(m_text.begin(), first);
    return *this;
}

CString& CString::TrimRight() {
    const auto last = std::find_if_not(m_text.rbegin(), m_text.rend(), IsSpace);
    m_text.erase(last.base(), m_text.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

// Only ASCII letters change case: the code page's accented letters are kept as stored.
CString& CString::MakeUpper() {
    for (char& ch : m_text)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower() {
    for (char& ch : m_text)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return *this;
}

int CString::Replace(const char* from, const char* to) {
    const std::string needle = from ? from : "";
    const std::string replacement = to ? to : "";
    if (needle.empty())
        return 0;
    int count = 0;
    for (std::size_t pos = m_text.find(needle); pos != std::string::npos;
         pos = m_text.find(needle, pos + replacement.size())) {
        m_text.replace(pos, needle.size(), replacement);
        ++count;
    }
    return count;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
    } else {
        m_text.assign(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(m_text.data(), m_text.size(), format, args);
        m_text.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
}

BOOL CString::LoadString(UINT id) {
    const char* text = AfxFindString(id);
    if (!text)
        return FALSE;
    m_text = text;
    return TRUE;
}

} // namespace vellum
