#pragma once
// CString: 8-bit text in the system code page (Windows-1252), exactly the bytes that the
// archive stores. Conversion to and from UTF-8 happens only at the edges (CodePage.h).

#include <vellum/platform/Types.h>

#include <compare>
#include <string>
#include <string_view>

namespace vellum {

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text, static_cast<std::size_t>(length)) {}
    CString(char ch, int repeat = 1) : m_text(static_cast<std::size_t>(repeat), ch) {}
    explicit CString(std::string text) : m_text(std::move(text)) {}
    explicit CString(std::string_view text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, char ch) { m_text.at(static_cast<std::size_t>(index)) = ch; }
    char operator[](int index) const { return GetAt(index); }

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    CString& operator=(const char* text) {
        m_text = text ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const char* text) {
        m_text += text ? text : "";
        return *this;
    }
    CString& operator+=(char ch) {
        m_text += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
        return a.m_text <=> b.m_text;
    }

    int Compare(const char* other) const { return m_text.compare(other ? other : ""); }

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    CString& MakeUpper();
    CString& MakeLower();
    int Replace(const char* from, const char* to);

    // printf-style formatting into this string.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Replaces the text with the string that has this identifier in the resource chain;
    // FALSE, and the text unchanged, when there is none.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

} // namespace vellum
