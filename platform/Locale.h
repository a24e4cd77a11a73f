#pragma once
// The thread locale, as the framework's GetThreadLocale reports it: a locale identifier whose
// low 10 bits are the primary language. Each thread starts with Italian (0x0410); hosts and
// tests set another with SetThreadLocale.

#include <vellum/platform/Types.h>

namespace vellum {

using LCID = DWORD;

constexpr WORD LANG_ITALIAN = 0x10;
constexpr WORD LANG_JAPANESE = 0x11;

constexpr WORD PRIMARYLANGID(LCID locale) {
    return static_cast<WORD>(locale & 0x3FF);
}

LCID GetThreadLocale();
BOOL SetThreadLocale(LCID locale);

} // namespace vellum
