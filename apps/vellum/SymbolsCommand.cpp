// vellum symbols LIBRARY [--json]: lists the groups of a symbol library in the order the
// library walks them, each with its symbols: size in millimetres, extent of its items in
// pixels, number of items, and whether the user has hidden it.
// vellum symbols LIBRARY --make-sample: writes the sample library to LIBRARY.

#include "Commands.h"

#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/platform/CodePage.h>

#include <cstdio>
#include <sstream>

namespace vellum::tool {

namespace {

std::string Json(const CString& text) {
    return JsonString(ToUtf8(text));
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void Print(CGraphicItemList& library, const std::string& path, bool json) {
    std::ostringstream out;
    if (json)
        out << "{\"file\":" << Json(CString(path)) << ",\"groups\":[";
    else
        out << path << "\n";
    bool firstGroup = true;
    for (const ListGroup& entry : GroupsOf(library)) {
        const CString name = entry.items->GetName();
        const bool hiddenGroup = library.IsSymbolGroupDisabled(name);
        if (json)
            out << (firstGroup ? "" : ",") << "{\"key\":" << entry.key << ",\"name\":" << Json(name)
                << ",\"hidden\":" << (hiddenGroup ? "true" : "false") << ",\"symbols\":[";
        else
            out << "group " << entry.key << " \"" << ToUtf8(name) << "\""
                << (hiddenGroup ? " (hidden)" : "") << ": " << entry.items->GetCount()
                << " entries\n";
        firstGroup = false;
        bool firstSymbol = true;
        for (POSITION pos = entry.items->GetHeadPosition(); pos;) {
            CObject* object = entry.items->GetNext(pos);
            auto* symbol = object && object->IsKindOf(RUNTIME_CLASS(CGraphicSymbol))
                               ? static_cast<CGraphicSymbol*>(object)
                               : nullptr;
            if (!symbol) {
                if (!json)
                    out << "  (not a symbol: "
                        << (object ? object->GetRuntimeClass()->m_lpszClassName : "null") << ")\n";
                continue;
            }
            CString key = name;
            key += "_";
            key += symbol->GetName();
            const bool hidden = library.IsSymbolDisabled(key);
            const CRect natural = symbol->GetNaturalRect();
            if (json) {
                out << (firstSymbol ? "" : ",") << "{\"name\":" << Json(symbol->GetName())
                    << ",\"info\":" << Json(symbol->GetInfo())
                    << ",\"width_mm\":" << Number(symbol->Width())
                    << ",\"height_mm\":" << Number(symbol->Height())
                    << ",\"width_px\":" << natural.Width() << ",\"height_px\":" << natural.Height()
                    << ",\"items\":" << symbol->GetItems().GetCount()
                    << ",\"hidden\":" << (hidden ? "true" : "false") << "}";
            } else {
                out << "  \"" << ToUtf8(CString(symbol->GetName())) << "\"  "
                    << Number(symbol->Width()) << " x " << Number(symbol->Height()) << " mm  "
                    << natural.Width() << " x " << natural.Height() << " px  "
                    << symbol->GetItems().GetCount() << " items" << (hidden ? "  (hidden)" : "");
                if (*symbol->GetInfo())
                    out << "  " << ToUtf8(CString(symbol->GetInfo()));
                out << "\n";
            }
            firstSymbol = false;
        }
        if (json)
            out << "]}";
    }
    if (json)
        out << "]}\n";
    std::fputs(out.str().c_str(), stdout);
}

} // namespace

int RunSymbols(const Args& args) {
    Args rest = args;
    const bool makeSample = std::erase(rest, "--make-sample") > 0;
    const auto [path, json] =
        ParseFileArgs(rest, "usage: vellum symbols LIBRARY [--json] | LIBRARY --make-sample");
    if (makeSample) {
        const auto library = SampleSymbolLibrary();
        WriteListFile(library.get(), path);
        if (!json)
            std::printf("%s: the sample symbol library\n", path.c_str());
        Print(*library, path, json);
        return 0;
    }
    const auto library = LoadList(path);
    Print(*library, path, json);
    return 0;
}

} // namespace vellum::tool
