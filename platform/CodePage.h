#pragma once
// Conversions between the 8-bit system code page (Windows-1252) that CString holds and the
// Unicode encodings met at the edges: UTF-8 for drawing, consoles and toolkits, UTF-16 for
// wide strings found in archives. Characters the code page lacks become '?'.

#include <vellum/platform/String.h>

#include <string>
#include <string_view>

namespace vellum {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves
// undefined map to the C1 control with the same value, as Windows does.
char32_t CodePageToUnicode(BYTE ch);
// The Windows-1252 byte of a code point, or '?' when the code page has none.
BYTE UnicodeToCodePage(char32_t codePoint);

std::string ToUtf8(const CString& text);
CString FromUtf8(std::string_view utf8);
CString FromUtf16(std::u16string_view utf16);

} // namespace vellum
