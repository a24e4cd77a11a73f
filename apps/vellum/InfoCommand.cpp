// vellum info FILE [--json]: what a stored item list holds, group by group in the list's own
// order, item by item.

#include "Commands.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/platform/CodePage.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string_view>

namespace vellum::tool {

namespace {

struct KindName {
    std::string_view className;
    std::string_view kind;
};
// The kinds the tool knows by name; other classes show their class name.
constexpr KindName kKinds[] = {
    {"CGraphicItem", "item"},
    {"CGraphicLine", "line"},
    {"CGrPolyLine", "polyline"},
    {"CGraphicSymbol", "symbol"},
    {"CGraphicFreeDraw", "freehand"},
};

std::string KindOf(const CGraphicItem& item) {
    const std::string_view name = item.GetRuntimeClass()->m_lpszClassName;
    for (const KindName& known : kKinds)
        if (known.className == name)
            return std::string(known.kind);
    return std::string(name);
}

std::string GroupName(WORD key) {
    switch (key) {
    case CGraphicItem::classSymbol:
        return "symbols";
    case CGraphicItem::classDensity:
        return "density";
    case CGraphicItem::classMeasure:
        return "measurements";
    case CGraphicItem::classText:
        return "text";
    case CGraphicItem::classDrawing:
        return "drawings";
    default:
        return "other";
    }
}

// The item's measurement in image pixels, where it has one.
std::optional<double> LengthOf(CGraphicItem& item) {
    if (auto* poly = dynamic_cast<CGrPolyLine*>(&item))
        return poly->GetLength();
    if (auto* line = dynamic_cast<CGraphicLine*>(&item))
        return CVector(line->GetEnd() - line->GetStart()).Length();
    return std::nullopt;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Number(double value) {
    return Format("%.10g", value);
}

std::string Colour(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string Hex(WORD value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (static_cast<unsigned char>(ch) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

struct Group {
    WORD key;
    CGrItemList* items;
};

std::vector<Group> GroupsOf(CGraphicItemList& list) {
    std::vector<Group> groups;
    for (POSITION pos = list.GetStartPosition(); pos;) {
        WORD key;
        CObject* group;
        list.GetNextAssoc(pos, key, group);
        groups.push_back({key, static_cast<CGrItemList*>(group)});
    }
    return groups;
}

std::vector<CGraphicItem*> ItemsOf(CGrItemList& group) {
    std::vector<CGraphicItem*> items;
    for (POSITION pos = group.GetHeadPosition(); pos;)
        items.push_back(static_cast<CGraphicItem*>(group.GetNext(pos)));
    return items;
}

void PrintText(const std::string& path, CGraphicItemList& list) {
    double resX, resY, magX, magY;
    list.GetResolution(&resX, &resY);
    list.GetMagnification(&magX, &magY);
    const auto groups = GroupsOf(list);
    std::printf("%s: item list, %zu group%s, %s, resolution %s x %s pixels/mm, magnification "
                "%s x %s\n",
                path.c_str(), groups.size(), groups.size() == 1 ? "" : "s",
                list.IsCalibrated() ? "calibrated" : "not calibrated", Number(resX).c_str(),
                Number(resY).c_str(), Number(magX).c_str(), Number(magY).c_str());
    for (const Group& group : groups) {
        const auto items = ItemsOf(*group.items);
        std::printf("group %s (%s)%s%s: %zu item%s\n", Hex(group.key).c_str(),
                    GroupName(group.key).c_str(), group.items->GetName().IsEmpty() ? "" : " ",
                    ToUtf8(group.items->GetName()).c_str(), items.size(),
                    items.size() == 1 ? "" : "s");
        for (CGraphicItem* item : items) {
            std::printf("  %-9s %-14s class %s colour %s width %s nodes", KindOf(*item).c_str(),
                        item->GetRuntimeClass()->m_lpszClassName, Hex(item->GetClass()).c_str(),
                        Colour(item->GetColor()).c_str(), Number(item->GetLineWidth()).c_str());
            for (int i = 0; i < item->GetNodeCount(); ++i)
                std::printf(" (%s, %s)", Number(item->GetNode(i).x).c_str(),
                            Number(item->GetNode(i).y).c_str());
            if (const auto length = LengthOf(*item))
                std::printf(" length %s px", Format("%.2f", *length).c_str());
            std::printf("\n");
        }
    }
}

void PrintJson(const std::string& path, CGraphicItemList& list) {
    double resX, resY, magX, magY;
    list.GetResolution(&resX, &resY);
    list.GetMagnification(&magX, &magY);
    std::ostringstream out;
    out << "{\"file\":" << JsonString(path) << ",\"calibrated\":" << (list.IsCalibrated() ? 1 : 0)
        << ",\"resolution\":[" << Number(resX) << "," << Number(resY) << "]"
        << ",\"magnification\":[" << Number(magX) << "," << Number(magY) << "],\"groups\":[";
    bool firstGroup = true;
    for (const Group& group : GroupsOf(list)) {
        out << (firstGroup ? "" : ",") << "{\"key\":" << group.key
            << ",\"name\":" << JsonString(ToUtf8(group.items->GetName())) << ",\"items\":[";
        firstGroup = false;
        bool firstItem = true;
        for (CGraphicItem* item : ItemsOf(*group.items)) {
            out << (firstItem ? "" : ",")
                << "{\"class\":" << JsonString(item->GetRuntimeClass()->m_lpszClassName)
                << ",\"kind\":" << JsonString(KindOf(*item))
                << ",\"itemClass\":" << item->GetClass()
                << ",\"colour\":" << JsonString(Colour(item->GetColor()))
                << ",\"width\":" << Number(item->GetLineWidth()) << ",\"nodes\":[";
            firstItem = false;
            for (int i = 0; i < item->GetNodeCount(); ++i)
                out << (i ? "," : "") << "[" << Number(item->GetNode(i).x) << ","
                    << Number(item->GetNode(i).y) << "]";
            out << "]";
            if (const auto length = LengthOf(*item))
                out << ",\"length\":" << Number(*length);
            out << "}";
        }
        out << "]}";
    }
    out << "]}\n";
    std::fputs(out.str().c_str(), stdout);
}

} // namespace

int RunInfo(const Args& args) {
    std::string path;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if (path.empty() && !arg.starts_with("-"))
            path = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (path.empty())
        throw CommandError("which file? usage: vellum info FILE [--json]");
    const auto list = LoadList(path);
    if (json)
        PrintJson(path, *list);
    else
        PrintText(path, *list);
    return 0;
}

} // namespace vellum::tool
