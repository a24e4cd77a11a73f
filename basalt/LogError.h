#pragma once
// The error log of the host: one line per reported failure, appended to a text file.
//
// The file is $VELLUM_LOG when set, else $XDG_STATE_HOME/vellum/error.log, else
// ~/.local/state/vellum/error.log; missing folders are created. Each line is five fields
// separated by tabs and ends in '\n':
//
//   TIME  CODE  SOURCE  LINE  STAMP
//
// TIME is the local time in ISO 8601 with its offset from UTC ("2026-12-05T21:32:18+01:00"),
// CODE and LINE are decimal numbers, SOURCE and STAMP the texts as given, with tabs, line
// breaks and other control characters turned into spaces; a null or empty text is "-".

#include <vellum/platform/Types.h>

#include <string>

namespace vellum {

// Appends one line to the log. Never throws: it is called while an exception is being
// handled, and a log that cannot be written is silently left out.
void WriteLogError(LONG code, const char* sourceFile, int line, const char* buildStamp) noexcept;

// The file that WriteLogError appends to.
std::string GetErrorLogPath();

} // namespace vellum
