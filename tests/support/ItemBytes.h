#pragma once
// The stored body of a graphic item, for tests that check archives byte for byte: format
// version 2, the node array (count and x, y pairs), class, colour and line width.

#include "support/ArchiveBytes.h"

#include <vector>

namespace vellum::test {

inline void AppendItemBody(Bytes& out, const std::vector<double>& xy, WORD cls = 0x0020,
                           DWORD colour = 0x0000FF00, double width = 1.0) {
    AppendDword(out, 2);
    AppendWord(out, static_cast<WORD>(xy.size() / 2));
    for (double v : xy)
        AppendDouble(out, v);
    AppendWord(out, cls);
    AppendDword(out, colour);
    AppendDouble(out, width);
}

} // namespace vellum::test
