// vellum replay SCRIPT [--image IMG] [--frames DIR] -o OUT.png: drives the interactive window
// through a script of host calls, as a viewer forwards its mouse and settings, over a view that
// the Cairo backend draws. Writes the final picture, the item list next to it (OUT.vla) and,
// with --frames, the picture after every mouse event, so that rubber bands can be seen.

#include "Commands.h"
#include "TypingUiHost.h"

#include <vellum/Graphics/BitmapUser.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/module/VellumModule.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/Menu.h>
#include <vellum/ui/CalibrationDlg.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/SymbolSelectionDlg.h>
#include <vellum/window/GraphicWnd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace vellum::tool {

namespace {

constexpr COLORREF kBackground = RGB(48, 48, 48);
constexpr double kMaxZoom = 64.0;
constexpr int kMaxSide = 32767;
constexpr double kMaxCoordinate = 1000000.0;
constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 150;

// The script's words: how many values each takes and whether it is a mouse event. A verb of
// -1 values takes the rest of its line as one text.
struct Verb {
    const char* name;
    int values;
    bool event;
};
constexpr int kText = -1;

constexpr Verb kVerbs[] = {
    {"image", 2, false},      {"view", 2, false},       {"origin", 2, false},
    {"zoom", 1, false},       {"action", 1, false},     {"types", 1, false},
    {"force", 1, false},      {"visible", 1, false},    {"access", 1, false},
    {"resolution", 2, false}, {"calibrated", 1, false}, {"down", 2, true},
    {"move", 2, true},        {"up", 2, true},          {"dblclick", 2, true},
    {"rclick", 2, true},      {"type", kText, false},   {"calibrate", kText, false},
    {"symbol", 2, false},     {"freehand", 0, false},
};

constexpr const char* kActionNames[] = {
    "select",   "rotate", "delete",    "line",         "distance",
    "text",     "angle",  "symbol",    "density-area", "density-line",
    "polyline", "arc",    "rectangle", "freehand",     "selection",
};

struct Step {
    int line;
    const Verb* verb;
    double a = 0;
    double b = 0;
    std::string text;               // the rest of a type or calibrate line
    std::vector<std::string> names; // symbol: the group and the symbol
};

// The rest of a type line as the user types it: UTF-8 turned into the system code page, "\n"
// into a line break (carriage return and line feed) and "\\" into a backslash.
CString TypedText(const std::string& rest) {
    std::string text;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '\\' && i + 1 < rest.size() && (rest[i + 1] == 'n' || rest[i + 1] == '\\')) {
            text += rest[++i] == 'n' ? "\r\n" : "\\";
        } else {
            text += rest[i];
        }
    }
    return FromUtf8(text);
}

// The words of a line; a word in double quotes may hold blanks ("Lato L").
std::optional<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < text.size();) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            const auto close = text.find('"', i + 1);
            if (close == std::string::npos)
                return std::nullopt;
            word = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
                word += text[i++];
        }
        words.push_back(word);
    }
    return words;
}

[[noreturn]] void ScriptError(const std::string& script, int line, const std::string& problem) {
    throw CommandError(script + ":" + std::to_string(line) + ": " + problem);
}

// A number as the script writes it: decimal, or for masks and classes also 0x hexadecimal.
std::optional<double> Number(const std::string& text, bool integer) {
    char* end = nullptr;
    const double value = integer ? static_cast<double>(std::strtol(text.c_str(), &end, 0))
                                 : std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<Step> ParseScript(const std::string& path, bool imageGiven) {
    std::ifstream in(path);
    if (!in)
        throw CommandError(path + ": " + std::strerror(errno));
    std::vector<Step> steps;
    bool eventSeen = false;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        text = text.substr(0, text.find('#'));
        const auto words = Words(text);
        if (!words)
            ScriptError(path, line, "a quoted name has no closing quote");
        if (words->empty())
            continue;
        const std::string name = words->front();
        Step step{line, nullptr, 0, 0, {}, {}};
        for (const Verb& verb : kVerbs)
            if (name == verb.name)
                step.verb = &verb;
        if (!step.verb)
            ScriptError(path, line, "unknown command '" + name + "'");
        if (step.verb->values == kText) {
            // The rest of the line, as the user types it.
            const auto start = text.find(name) + name.size();
            step.text = text.substr(start);
            const auto first = step.text.find_first_not_of(" \t");
            step.text = first == std::string::npos ? std::string() : step.text.substr(first);
            while (!step.text.empty() && std::isspace(static_cast<unsigned char>(step.text.back())))
                step.text.pop_back();
            if (name == "calibrate" && step.text.empty())
                ScriptError(path, line, name + " takes the length the user types");
            steps.push_back(step);
            continue;
        }
        const std::vector<std::string> values(words->begin() + 1, words->end());
        if (static_cast<int>(values.size()) != step.verb->values)
            ScriptError(path, line,
                        name + " takes " + std::to_string(step.verb->values) +
                            (step.verb->values == 1 ? " value" : " values"));

        const bool real = name == "zoom" || name == "resolution";
        if (name == "symbol")
            step.names = values;
        for (std::size_t i = 0; i < values.size() && name != "symbol"; ++i) {
            std::optional<double> value = Number(values[i], !real);
            if (name == "action" && !value) {
                for (int code = 0; code < static_cast<int>(std::size(kActionNames)); ++code)
                    if (values[i] == kActionNames[code])
                        value = code;
            }
            if (!value || std::fabs(*value) > kMaxCoordinate)
                ScriptError(path, line, "'" + values[i] + "' is not a value for " + name);
            (i == 0 ? step.a : step.b) = *value;
        }

        if ((name == "image" || name == "view") &&
            (step.a < 1 || step.b < 1 || step.a > kMaxSide || step.b > kMaxSide))
            ScriptError(path, line, name + " needs a width and height from 1 to 32767");
        if ((name == "image" || name == "view") && eventSeen)
            ScriptError(path, line, name + " must come before the first mouse event");
        if (name == "image" && imageGiven)
            ScriptError(path, line, "the image size comes from --image");
        if (name == "zoom" && !(step.a > 0 && step.a <= kMaxZoom))
            ScriptError(path, line, "zoom must be above 0 and at most 64");
        if ((name == "types" || name == "force") && (step.a < 0 || step.a > 0xFFFF))
            ScriptError(path, line, name + " needs a class mask from 0 to 0xFFFF");
        eventSeen = eventSeen || step.verb->event;
        steps.push_back(step);
    }
    return steps;
}

// The UI host of a session without a user: dialogs are cancelled and no menu entry is chosen,
// as the headless host does, but message boxes and menus are reported with their script line.
// The calibration dialog is answered with the length the script gives (typed, then OK; a
// length the dialog refuses is cancelled), the symbol selection dialog with the symbol the
// script names, and text editors with what type gave them.
class ReplayUiHost : public TypingUiHost {
public:
    explicit ReplayUiHost(const int& line) : m_line(line) {}

    void AnswerCalibration(const std::string& length) { m_calibration = length; }
    void ChooseSymbol(std::vector<std::string> names) { m_symbol = std::move(names); }

    void RunPropertySheet(CPropertySheet& sheet) override {
        if (!HasText())
            std::printf("line %d: property sheet cancelled (no text given with type)\n", m_line);
        TypingUiHost::RunPropertySheet(sheet);
    }

    void RunModalDialog(CDialog& dialog) override {
        if (dialog.IsKindOf(RUNTIME_CLASS(CCalibrationDlg)) && m_calibration)
            return AnswerCalibrationDialog(dialog);
        if (dialog.IsKindOf(RUNTIME_CLASS(CSymbolSelectionDlg)) && !m_symbol.empty())
            return AnswerSymbolDialog(dialog);
        TypingUiHost::RunModalDialog(dialog);
    }

private:
    void AnswerCalibrationDialog(CDialog& dialog) {
        dialog.TypeText(IDC_ACTUAL_VALUE, FromUtf8(*m_calibration));
        m_calibration.reset();
        dialog.PressOK();
        if (dialog.IsOpen())
            dialog.PressCancel();
    }

    void AnswerSymbolDialog(CDialog& dialog) {
        const std::vector<std::string> names = std::move(m_symbol);
        m_symbol.clear();
        const int group = FindLine(dialog, IDC_GROUP_LIST_ID, names[0]);
        if (group >= 0)
            dialog.SelectListItem(IDC_GROUP_LIST_ID, group);
        const int symbol = group >= 0 ? FindLine(dialog, IDC_SYMBOL_LIST_ID, names[1]) : -1;
        if (symbol < 0) {
            std::printf("line %d: the symbol dialog has no symbol \"%s\" in group \"%s\"\n", m_line,
                        names[1].c_str(), names[0].c_str());
            return dialog.PressCancel();
        }
        dialog.SelectListItem(IDC_SYMBOL_LIST_ID, symbol);
        dialog.PressOK();
    }

public:
    int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) override {
        std::printf("line %d: message box \"%s\"\n", m_line, ToUtf8(CString(text)).c_str());
        return CHeadlessUiHost::MessageBox(owner, text, caption, type);
    }
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) override {
        std::printf("line %d: popup menu at (%d, %d):", m_line, static_cast<int>(screen.x),
                    static_cast<int>(screen.y));
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            std::printf(" \"%s\" (%u)", ToUtf8(text).c_str(),
                        menu.GetMenuItemID(static_cast<int>(i)));
        }
        std::printf("\n");
        return CHeadlessUiHost::TrackPopupMenu(menu, flags, screen, owner);
    }

private:
    static constexpr int IDC_GROUP_LIST_ID = 24255;
    static constexpr int IDC_SYMBOL_LIST_ID = 24256;

    static int FindLine(CDialog& dialog, int id, const std::string& utf8) {
        const CDialogItem* list = dialog.GetDlgItem(id);
        const CString wanted = FromUtf8(utf8);
        CString text;
        for (int i = 0; list && i < list->GetCount(); ++i)
            if (list->GetLineText(i, text) >= 0 && text == wanted)
                return i;
        return -1;
    }

    const int& m_line;
    std::optional<std::string> m_calibration;
    std::vector<std::string> m_symbol;
};

// The distance that a calibrate line means: the one drawn last, else the one selected.
CGrPolyDist* DistanceToCalibrate(CGraphicWnd& graphic) {
    if (auto* drawn = dynamic_cast<CGrPolyDist*>(graphic.GetLastNewItem()))
        return drawn;
    return dynamic_cast<CGrPolyDist*>(graphic.GetActiveItem());
}

// The viewer's view: a picture in memory that shows the image at the window's origin and zoom
// and the overlay over it. Invalidated areas are kept as one rectangle and repainted from
// scratch (background, image, CGraphicWnd::Draw) when the view is updated; exclusive-or drawing
// goes straight into the picture through GetDC, as on a screen.
class ReplayView : public CWnd {
public:
    ReplayView(std::vector<BYTE> pixels, CSize imageSize)
        : m_pixels(std::move(pixels)), m_imageSize(imageSize) {}

    void SetGraphic(CGraphicWnd* graphic) { m_graphic = graphic; }
    void SetImage(std::vector<BYTE> pixels, CSize size) {
        m_pixels = std::move(pixels);
        m_imageSize = size;
    }
    void SetPlacement(CPoint origin, double zoom) {
        m_origin = origin;
        m_zoom = zoom;
    }
    bool IsOpen() const { return m_picture != nullptr; }
    // Makes the picture and paints all of it.
    void Open(int width, int height) {
        m_picture = CCairoDC::CreateImage(width, height, kBackground);
        m_client = CRect(0, 0, width, height);
        Invalidate(TRUE);
        UpdateWindow();
    }
    void WritePng(const std::string& path) const { m_picture->WritePng(path.c_str()); }

    void InvalidateRect(const RECT* rect, BOOL) override {
        CRect area = rect ? CRect(*rect) : m_client;
        area.NormalizeRect();
        area &= m_client;
        m_pending |= area;
    }
    void Invalidate(BOOL erase) override { InvalidateRect(nullptr, erase); }
    BOOL GetUpdateRect(RECT* rect, BOOL) override {
        if (rect)
            *rect = m_pending;
        return m_pending.IsRectEmpty() ? FALSE : TRUE;
    }
    void UpdateWindow() override {
        if (!m_picture || m_pending.IsRectEmpty())
            return;
        Paint(m_pending);
        m_pending.SetRectEmpty();
    }
    // The picture, each time as a fresh context would come: copying pixels, no offset.
    CDC* GetDC() override {
        if (!m_picture)
            return nullptr;
        m_picture->SetROP2(R2_COPYPEN);
        m_picture->SetViewportOrg(0, 0);
        ++m_dcsOut;
        return m_picture.get();
    }
    int ReleaseDC(CDC* dc) override {
        if (!m_picture || dc != m_picture.get() || m_dcsOut == 0)
            return 0;
        --m_dcsOut;
        m_picture->SetROP2(R2_COPYPEN);
        return 1;
    }

private:
    // Draws the whole view afresh and copies the area of it into the picture, leaving the rest
    // (rubber bands included) as it was.
    void Paint(const CRect& area) {
        auto scene = CCairoDC::CreateImage(m_client.Width(), m_client.Height(), kBackground);
        if (!m_pixels.empty())
            scene->DrawGreyImage(m_pixels.data(), m_imageSize.cx, m_imageSize.cy, m_imageSize.cx,
                                 m_origin.x, m_origin.y, m_zoom);
        if (m_graphic)
            m_graphic->Draw(scene.get(), 0, 0);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right;) {
                const COLORREF colour = scene->GetPixel(x, y);
                int end = x + 1;
                while (end < area.right && scene->GetPixel(end, y) == colour)
                    ++end;
                m_picture->FillSolidRect(x, y, end - x, 1, colour);
                x = end;
            }
        }
    }

    std::vector<BYTE> m_pixels;
    CSize m_imageSize;
    CPoint m_origin;
    double m_zoom = 1.0;
    CGraphicWnd* m_graphic = nullptr;
    std::unique_ptr<CCairoDC> m_picture;
    CRect m_client;
    CRect m_pending;
    int m_dcsOut = 0;
};

// A dark radiograph-like ramp, so that the black drag pen shows in exclusive-or as light grey.
std::vector<BYTE> PlainImage(int width, int height) {
    std::vector<BYTE> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<BYTE>(30 + 50 * (x + y) / (width + height));
    return pixels;
}

// The plain ramp as the toolkit's bitmap, so that density items have levels to read.
std::unique_ptr<struct_LEAD_Bitmap> PlainBitmap(int width, int height) {
    auto bitmap = std::make_unique<struct_LEAD_Bitmap>();
    bitmap->Width = width;
    bitmap->Height = height;
    const std::vector<BYTE> pixels = PlainImage(width, height);
    // The toolkit counts rows from the bottom.
    for (int y = height - 1; y >= 0; --y)
        bitmap->Data.insert(bitmap->Data.end(), pixels.begin() + std::ptrdiff_t{y} * width,
                            pixels.begin() + std::ptrdiff_t{y + 1} * width);
    for (int i = 0; i < 256; ++i)
        bitmap->Colors.push_back(
            RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
    return bitmap;
}

// A viewer hands a density item the image as soon as the item is drawn (a new density line
// sized to a third of the image).
bool NewDensityItem(CGraphicWnd& graphic, const CGraphicItem*& last, struct_LEAD_Bitmap* image) {
    CGraphicItem* item = graphic.GetLastNewItem();
    const bool fresh = item && item != last && graphic.GetActiveItem() == item &&
                       graphic.GetVectorAction() != CGraphicWnd::actionDensityLine &&
                       graphic.GetVectorAction() != CGraphicWnd::actionDensityArea &&
                       dynamic_cast<const CBitmapUser*>(item) != nullptr;
    if (fresh)
        last = item;
    if (auto* line = dynamic_cast<CGrDensityLine*>(item); fresh && line)
        line->Init(image, 1);
    return fresh;
}

} // namespace

int RunReplay(const Args& args) {
    std::string scriptPath, imagePath, framesDir, outPath, libraryPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--image")
            imagePath = OptionValue(args, i);
        else if (arg == "--library")
            libraryPath = OptionValue(args, i);
        else if (arg == "--frames")
            framesDir = OptionValue(args, i);
        else if (arg == "-o")
            outPath = OptionValue(args, i);
        else if (scriptPath.empty() && !arg.starts_with("-"))
            scriptPath = arg;
        else
            throw CommandError("unexpected argument '" + arg + "'");
    }
    if (scriptPath.empty() || outPath.empty())
        throw CommandError(
            "usage: vellum replay SCRIPT [--image IMG] [--library LIB] [--frames DIR] -o OUT.png");
    if (std::filesystem::path(outPath).extension() != ".png")
        throw CommandError(outPath + ": the output must end in .png");

    // Everything is read and checked before anything is written.
    const std::vector<Step> steps = ParseScript(scriptPath, !imagePath.empty());
    const auto image = imagePath.empty() ? nullptr : LoadImage(imagePath);
    auto library = libraryPath.empty() ? nullptr : LoadList(libraryPath);
    // Without --library the window offers the library that the user's settings name.
    if (!library)
        SymbolLibraryInit();
    if (image && (image->Width > kMaxSide || image->Height > kMaxSide))
        throw CommandError(imagePath + ": the image is larger than 32767 pixels");
    const std::string listPath = std::filesystem::path(outPath).replace_extension(".vla").string();
    if (!framesDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(framesDir, error);
        if (error)
            throw CommandError(framesDir + ": " + error.message());
    }

    int line = 0;
    ReplayUiHost host(line);
    CUiHostScope hostScope(host);

    CSize imageSize =
        image ? CSize(image->Width, image->Height) : CSize(kDefaultWidth, kDefaultHeight);
    ReplayView view(image ? DisplayPixels(*image) : PlainImage(imageSize.cx, imageSize.cy),
                    imageSize);
    CGraphicWnd graphic(&view);
    if (library)
        graphic.SetSymbolLibrary(library.release());
    view.SetGraphic(&graphic);
    graphic.SetImageSize(imageSize);
    std::unique_ptr<struct_LEAD_Bitmap> ramp =
        image ? nullptr : PlainBitmap(imageSize.cx, imageSize.cy);
    const auto bitmap = [&] { return image ? image.get() : ramp.get(); };
    graphic.SetBitmap(bitmap());
    const CGraphicItem* lastDensityItem = nullptr;
    CPoint origin;
    double zoom = 1.0;
    std::optional<CSize> viewSize;
    // The view opens at the first mouse event: as large as asked, or the image at its place
    // and zoom with the origin as margin all round.
    const auto open = [&] {
        if (view.IsOpen())
            return;
        const CSize size = viewSize.value_or(
            CSize(2 * origin.x + static_cast<int>(std::ceil(imageSize.cx * zoom)),
                  2 * origin.y + static_cast<int>(std::ceil(imageSize.cy * zoom))));
        if (size.cx < 1 || size.cy < 1 || size.cx > kMaxSide || size.cy > kMaxSide)
            throw CommandError(scriptPath + ":" + std::to_string(line) +
                               ": the view would be empty or larger than 32767 pixels; "
                               "give its size with view");
        view.Open(size.cx, size.cy);
    };

    int frame = 0;
    try {
        for (const Step& step : steps) {
            line = step.line;
            const std::string verb = step.verb->name;
            const int a = static_cast<int>(step.a);
            const int b = static_cast<int>(step.b);
            const CPoint point(a, b);
            if (step.verb->event)
                open();
            if (verb == "image") {
                imageSize = CSize(a, b);
                view.SetImage(PlainImage(a, b), imageSize);
                graphic.SetImageSize(imageSize);
                ramp = PlainBitmap(a, b);
                graphic.SetBitmap(bitmap());
            } else if (verb == "view") {
                viewSize = CSize(a, b);
            } else if (verb == "origin" || verb == "zoom") {
                if (verb == "origin")
                    origin = point;
                else
                    zoom = step.a;
                graphic.SetImageOrg(origin);
                graphic.SetZoomFactor(zoom);
                view.SetPlacement(origin, zoom);
                view.Invalidate(TRUE);
            } else if (verb == "action") {
                graphic.SetVectorAction(a);
            } else if (verb == "symbol") {
                host.ChooseSymbol(step.names);
                graphic.SetVectorAction(CGraphicWnd::actionSymbol);
            } else if (verb == "freehand") {
                graphic.SetVectorAction(CGraphicWnd::actionFreeDraw);
            } else if (verb == "types") {
                graphic.SetTypesToDraw(static_cast<WORD>(a));
                view.Invalidate(TRUE);
            } else if (verb == "force") {
                graphic.ForceNewItemType(static_cast<WORD>(a));
            } else if (verb == "visible") {
                graphic.SetVisible(a);
                view.Invalidate(TRUE);
            } else if (verb == "type") {
                host.QueueText(TypedText(step.text));
            } else if (verb == "access") {
                graphic.EnableAccess(a);
            } else if (verb == "resolution") {
                graphic.SetResolution(step.a, step.b);
            } else if (verb == "calibrated") {
                graphic.SetCalibrated(a);
            } else if (verb == "calibrate") {
                // The host's part: the distance asks the user, the window hands its new
                // resolution to the list and so to every item.
                CGrPolyDist* distance = DistanceToCalibrate(graphic);
                if (!distance)
                    ScriptError(scriptPath, line, "calibrate needs a distance drawn or selected");
                host.AnswerCalibration(step.text);
                if (distance->Calibrate()) {
                    double rx = 0, ry = 0;
                    distance->GetResolution(&rx, &ry);
                    graphic.SetResolution(rx, ry);
                    graphic.SetCalibrated(1);
                    std::printf("line %d: calibrated to %.6g x %.6g pixels/mm\n", line, rx, ry);
                } else {
                    std::printf("line %d: calibration refused, nothing changed\n", line);
                }
            } else if (verb == "down") {
                graphic.LButtonDown(0, point);
            } else if (verb == "move") {
                graphic.MouseMove(0, point);
            } else if (verb == "up") {
                graphic.LButtonUp(0, point);
            } else if (verb == "dblclick") {
                graphic.LButtonDoubleClick(0, point);
            } else {
                graphic.RButtonDown(0, point);
            }
            if (NewDensityItem(graphic, lastDensityItem, bitmap()))
                graphic.SetBitmap(bitmap());
            // What is left invalid is painted when the viewer is idle, after each call.
            view.UpdateWindow();
            if (step.verb->event && !framesDir.empty()) {
                char name[32];
                std::snprintf(name, sizeof name, "%03d-%s.png", ++frame, verb.c_str());
                view.WritePng((std::filesystem::path(framesDir) / name).string());
            }
        }
        open();
        view.UpdateWindow();
        view.WritePng(outPath);
    } catch (const CException& e) {
        throw CommandError(outPath + ": " + e.what());
    }
    WriteListFile(graphic.GetVectorItemList(), listPath);
    std::printf("%s\n%s\n", outPath.c_str(), listPath.c_str());
    if (frame > 0)
        std::printf("%s: %d frames\n", framesDir.c_str(), frame);
    return 0;
}

} // namespace vellum::tool
