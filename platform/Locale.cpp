#include <vellum/platform/Locale.h>

namespace vellum {

namespace {
constexpr LCID kItalianItaly = 0x0410;
thread_local LCID t_locale = kItalianItaly;
} // namespace

LCID GetThreadLocale() {
    return t_locale;
}

BOOL SetThreadLocale(LCID locale) {
    t_locale = locale;
    return TRUE;
}

} // namespace vellum
