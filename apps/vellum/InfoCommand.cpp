// vellum info FILE [--json]: what a stored item list holds, group by group in the list's own
// order, item by item.

#include "Commands.h"

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/Graphics/GraphicTextLine.h>
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
    {"CGraphicRect", "rectangle"},
    {"CGraphicSelectionRect", "selection"},
    {"CGraphicText", "text"},
    {"CGraphicTextLine", "label"},
    {"CGrPolyDist", "distance"},
    {"CGrAngle", "angle"},
    {"CGraphicArc", "arc"},
    {"CGrDensityLine", "density-line"},
    {"CGrDensityArea", "density-area"},
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
    if (dynamic_cast<CGrAngle*>(&item))
        return std::nullopt; // two lines, not one path
    if (auto* poly = dynamic_cast<CGrPolyLine*>(&item))
        return poly->GetLength();
    if (auto* line = dynamic_cast<CGraphicLine*>(&item))
        return CVector(line->GetEnd() - line->GetStart()).Length();
    return std::nullopt;
}

// Boxed items (rectangles and every kind built on them) are described by their corners.
const CGraphicRect* BoxOf(const CGraphicItem& item) {
    return dynamic_cast<const CGraphicRect*>(&item);
}

// Width along the edge c0–c3 and height along c0–c1, whatever the rotation.
std::pair<double, double> BoxSize(const CGraphicRect& box) {
    return {(box.GetCorner(3) - box.GetCorner(0)).Length(),
            (box.GetCorner(1) - box.GetCorner(0)).Length()};
}

// A measurement as its label shows it, with its number and unit for programs.
struct Measurement {
    std::string text; // UTF-8
    double value;     // NaN when there is none (an angle without direction)
    const char* unit;
    bool calibrated;
};

std::optional<Measurement> MeasurementOf(CGraphicItem& item) {
    if (auto* distance = dynamic_cast<CGrPolyDist*>(&item)) {
        const bool calibrated = distance->IsCalibrated() != 0;
        return Measurement{ToUtf8(distance->GetDistanceStr()), distance->GetValue(),
                           calibrated ? "mm" : "px", calibrated};
    }
    if (auto* angle = dynamic_cast<CGrAngle*>(&item)) {
        const double degrees = angle->GetDegrees();
        return Measurement{ToUtf8(angle->GetAngleStr()), degrees, "deg",
                           angle->GetLabel().IsCalibrated() != 0};
    }
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

// What a text box or a label shows: a text box's lines as it lays them out at zoom 1, a
// label's one line, in UTF-8; its font and, for a text box, its angle in degrees.
struct TextInfo {
    std::vector<std::string> lines;
    const CGraphicFont* font;
    std::optional<double> angle;
};

std::optional<TextInfo> TextOf(CGraphicItem& item) {
    if (auto* text = dynamic_cast<CGraphicText*>(&item)) {
        // Lines are measured in the font the pictures use.
        static const auto measure = CCairoDC::CreateImage(1, 1, 0);
        TextInfo info{{}, &text->GetFont(), text->GetAngle() * 180 / PI};
        for (const CString& line : text->LayOutLines(measure.get(), 1.0))
            info.lines.push_back(ToUtf8(line));
        return info;
    }
    if (auto* label = dynamic_cast<CGraphicTextLine*>(&item))
        return TextInfo{{ToUtf8(label->Text())}, &label->Font(), std::nullopt};
    return std::nullopt;
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
    for (const ListGroup& group : groups) {
        const auto items = ItemsOf(*group.items);
        std::printf("group %s (%s)%s%s: %zu item%s\n", Hex(group.key).c_str(),
                    GroupName(group.key).c_str(), group.items->GetName().IsEmpty() ? "" : " ",
                    ToUtf8(group.items->GetName()).c_str(), items.size(),
                    items.size() == 1 ? "" : "s");
        for (CGraphicItem* item : items) {
            const CGraphicRect* box = BoxOf(*item);
            std::printf("  %-9s %-14s class %s colour %s width %s %s", KindOf(*item).c_str(),
                        item->GetRuntimeClass()->m_lpszClassName, Hex(item->GetClass()).c_str(),
                        Colour(item->GetColor()).c_str(), Number(item->GetLineWidth()).c_str(),
                        box ? "corners" : "nodes");
            for (int i = 0; i < item->GetNodeCount(); ++i)
                std::printf(" (%s, %s)", Number(item->GetNode(i).x).c_str(),
                            Number(item->GetNode(i).y).c_str());
            if (const auto length = LengthOf(*item))
                std::printf(" length %s px", Format("%.2f", *length).c_str());
            if (box) {
                const auto [width, height] = BoxSize(*box);
                std::printf(" size %s x %s px", Format("%.2f", width).c_str(),
                            Format("%.2f", height).c_str());
            }
            if (const auto measurement = MeasurementOf(*item))
                std::printf(" value %s", measurement->text.c_str());
            std::printf("\n");
            if (const auto text = TextOf(*item)) {
                const CGraphicFont& font = *text->font;
                std::printf("            font \"%s\" %s %d pt colour %s",
                            ToUtf8(font.m_strFaceName).c_str(), ToUtf8(font.m_strStyleName).c_str(),
                            font.GetSize(), Colour(font.GetColor()).c_str());
                if (text->angle)
                    std::printf(" angle %s\xC2\xB0", Number(*text->angle).c_str());
                std::printf(", %zu line%s\n", text->lines.size(),
                            text->lines.size() == 1 ? "" : "s");
                for (const std::string& line : text->lines)
                    std::printf("            | %s\n", line.c_str());
            }
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
    for (const ListGroup& group : GroupsOf(list)) {
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
            if (const CGraphicRect* box = BoxOf(*item)) {
                out << ",\"corners\":[";
                for (int i = 0; i < 4; ++i)
                    out << (i ? "," : "") << "[" << Number(box->GetCorner(i).x) << ","
                        << Number(box->GetCorner(i).y) << "]";
                const auto [width, height] = BoxSize(*box);
                out << "],\"size\":[" << Number(width) << "," << Number(height) << "]";
            }
            if (const auto text = TextOf(*item)) {
                const CGraphicFont& font = *text->font;
                out << ",\"font\":{\"face\":" << JsonString(ToUtf8(font.m_strFaceName))
                    << ",\"style\":" << JsonString(ToUtf8(font.m_strStyleName))
                    << ",\"size\":" << font.GetSize()
                    << ",\"colour\":" << JsonString(Colour(font.GetColor())) << "}";
                if (text->angle)
                    out << ",\"angle\":" << Number(*text->angle);
                out << ",\"lines\":[";
                for (std::size_t i = 0; i < text->lines.size(); ++i)
                    out << (i ? "," : "") << JsonString(text->lines[i]);
                out << "]";
            }
            if (const auto measurement = MeasurementOf(*item)) {
                out << ",\"measurement\":{\"text\":" << JsonString(measurement->text)
                    << ",\"value\":"
                    << (std::isfinite(measurement->value) ? Number(measurement->value) : "null")
                    << ",\"unit\":" << JsonString(measurement->unit)
                    << ",\"calibrated\":" << (measurement->calibrated ? "true" : "false") << "}";
            }
            out << "}";
        }
        out << "]}";
    }
    out << "]}\n";
    std::fputs(out.str().c_str(), stdout);
}

} // namespace

int RunInfo(const Args& args) {
    const auto [path, json] = ParseFileArgs(args, "which file? usage: vellum info FILE [--json]");
    const auto list = LoadList(path);
    if (json)
        PrintJson(path, *list);
    else
        PrintText(path, *list);
    return 0;
}

} // namespace vellum::tool
