#pragma once
// Text crosses between the library (Windows-1252) and Qt (UTF-16) here and nowhere else.

#include <vellum/platform/CodePage.h>
#include <vellum/platform/String.h>

#include <QString>

namespace vellum::viewer {

inline QString ToQString(const CString& text) {
    return QString::fromStdString(ToUtf8(text));
}

inline CString FromQString(const QString& text) {
    return FromUtf8(text.toStdString());
}

} // namespace vellum::viewer
