#include "ReplaySession.h"

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

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <optional>

namespace vellum::tool {

namespace {

constexpr COLORREF kBackground = RGB(48, 48, 48);
constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 150;

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

// The UI host of a session without a user: dialogs are cancelled and no menu entry is chosen,
// as the headless host does, but message boxes and menus are reported with their script line.
// The calibration dialog is answered with the length the script gives (typed, then OK; a
// length the dialog refuses is cancelled), the symbol selection dialog with the symbol the
// script names, and text editors with what type gave them.
class ReplayUiHost : public TypingUiHost {
public:
    ReplayUiHost(const int& line, std::FILE* log) : m_line(line), m_log(log) {}

    // Reports what the session's user would have seen; nothing without a log.
    [[gnu::format(printf, 2, 3)]] void Log(const char* format, ...) const {
        if (!m_log)
            return;
        std::va_list values;
        va_start(values, format);
        std::vfprintf(m_log, format, values);
        va_end(values);
    }

    void AnswerCalibration(const std::string& length) { m_calibration = length; }
    void ChooseSymbol(std::vector<std::string> names) { m_symbol = std::move(names); }

    void RunPropertySheet(CPropertySheet& sheet) override {
        if (!HasText())
            Log("line %d: property sheet cancelled (no text given with type)\n", m_line);
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
            Log("line %d: the symbol dialog has no symbol \"%s\" in group \"%s\"\n", m_line,
                names[1].c_str(), names[0].c_str());
            return dialog.PressCancel();
        }
        dialog.SelectListItem(IDC_SYMBOL_LIST_ID, symbol);
        dialog.PressOK();
    }

public:
    int MessageBox(CWnd* owner, const char* text, const char* caption, UINT type) override {
        Log("line %d: message box \"%s\"\n", m_line, ToUtf8(CString(text)).c_str());
        return CHeadlessUiHost::MessageBox(owner, text, caption, type);
    }
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, POINT screen, CWnd* owner) override {
        Log("line %d: popup menu at (%d, %d):", m_line, static_cast<int>(screen.x),
            static_cast<int>(screen.y));
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            Log(" \"%s\" (%u)", ToUtf8(text).c_str(), menu.GetMenuItemID(static_cast<int>(i)));
        }
        Log("\n");
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
    std::FILE* m_log;
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
    const CCairoDC& Picture() const { return *m_picture; }

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

// The session's parts in the order they are made; they are destroyed the other way round, so
// the window goes before its view and the host's scope before the host.
struct ReplaySession::State {
    explicit State(ReplayOptions& options)
        : image(options.image), scriptName(options.scriptName), maxViewSide(options.maxViewSide),
          onEvent(std::move(options.onEvent)), host(line, options.log), hostScope(host),
          imageSize(image ? CSize(image->Width, image->Height)
                          : CSize(kDefaultWidth, kDefaultHeight)),
          view(image ? DisplayPixels(*image) : PlainImage(imageSize.cx, imageSize.cy), imageSize),
          graphic(&view) {}

    struct_LEAD_Bitmap* Bitmap() const { return image ? image : ramp.get(); }
    [[noreturn]] void Error(const std::string& problem) const {
        throw CommandError(scriptName + ":" + std::to_string(line) + ": " + problem);
    }
    void OpenView();
    void RunStep(const ReplayStep& step);

    struct_LEAD_Bitmap* image;
    std::string scriptName;
    int maxViewSide;
    std::function<void(int, const std::string&, const CCairoDC&)> onEvent;
    int line = 0;
    ReplayUiHost host;
    CUiHostScope hostScope;
    CSize imageSize;
    ReplayView view;
    CGraphicWnd graphic;
    std::unique_ptr<struct_LEAD_Bitmap> ramp;
    const CGraphicItem* lastDensityItem = nullptr;
    CPoint origin;
    double zoom = 1.0;
    std::optional<CSize> viewSize;
    int events = 0;
};

// The view opens at the first mouse event: as large as asked, or the image at its place and
// zoom with the origin as margin all round.
void ReplaySession::State::OpenView() {
    if (view.IsOpen())
        return;
    const CSize size =
        viewSize.value_or(CSize(2 * origin.x + static_cast<int>(std::ceil(imageSize.cx * zoom)),
                                2 * origin.y + static_cast<int>(std::ceil(imageSize.cy * zoom))));
    if (size.cx < 1 || size.cy < 1 || size.cx > maxViewSide || size.cy > maxViewSide)
        Error("the view would be empty or larger than " + std::to_string(maxViewSide) +
              " pixels; give its size with view");
    view.Open(size.cx, size.cy);
}

void ReplaySession::State::RunStep(const ReplayStep& step) {
    line = step.line;
    const std::string verb = step.verb->name;
    const int a = static_cast<int>(step.a);
    const int b = static_cast<int>(step.b);
    const CPoint point(a, b);
    if (step.verb->event)
        OpenView();
    if (verb == "image") {
        imageSize = CSize(a, b);
        view.SetImage(PlainImage(a, b), imageSize);
        graphic.SetImageSize(imageSize);
        ramp = PlainBitmap(a, b);
        graphic.SetBitmap(Bitmap());
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
        // The host's part: the distance asks the user, the window hands its new resolution to
        // the list and so to every item.
        CGrPolyDist* distance = DistanceToCalibrate(graphic);
        if (!distance)
            Error("calibrate needs a distance drawn or selected");
        host.AnswerCalibration(step.text);
        if (distance->Calibrate()) {
            double rx = 0, ry = 0;
            distance->GetResolution(&rx, &ry);
            graphic.SetResolution(rx, ry);
            graphic.SetCalibrated(1);
            host.Log("line %d: calibrated to %.6g x %.6g pixels/mm\n", line, rx, ry);
        } else {
            host.Log("line %d: calibration refused, nothing changed\n", line);
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
    if (NewDensityItem(graphic, lastDensityItem, Bitmap()))
        graphic.SetBitmap(Bitmap());
    // What is left invalid is painted when the viewer is idle, after each call.
    view.UpdateWindow();
    if (step.verb->event && onEvent)
        onEvent(++events, verb, view.Picture());
}

ReplaySession::ReplaySession(ReplayOptions options) : m_state(std::make_unique<State>(options)) {
    State& s = *m_state;
    // Without a library of its own the window offers the library that the user's settings name.
    if (options.library)
        s.graphic.SetSymbolLibrary(options.library.release());
    else
        SymbolLibraryInit();
    s.view.SetGraphic(&s.graphic);
    s.graphic.SetImageSize(s.imageSize);
    if (!s.image)
        s.ramp = PlainBitmap(s.imageSize.cx, s.imageSize.cy);
    s.graphic.SetBitmap(s.Bitmap());
}

ReplaySession::~ReplaySession() = default;

void ReplaySession::Run(const std::vector<ReplayStep>& steps) {
    for (const ReplayStep& step : steps)
        m_state->RunStep(step);
    m_state->OpenView();
    m_state->view.UpdateWindow();
}

const CCairoDC& ReplaySession::Picture() const {
    return m_state->view.Picture();
}

CGraphicItemList* ReplaySession::List() {
    return m_state->graphic.GetVectorItemList();
}

} // namespace vellum::tool
