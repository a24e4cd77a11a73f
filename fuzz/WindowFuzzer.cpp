// Drives the interactive window with whatever a user and a host could do, in any order.
//
// The input bytes are a sequence of operations on a CGraphicWnd over a recording view: vector
// actions of any code, presses, moves, releases, double and right clicks anywhere (far outside
// the image and at the integer limits too), zoom and origin changes, re-initialisation with a
// list of the fuzzer's or one loaded from bytes, rotation, visibility, access and type masks,
// properties and deletion of the active item. A UI host answers every dialog, menu, chooser and
// message box from the same bytes.
//
// After every operation the invariants a user relies on are checked, and a violation aborts:
// - every item that the window made has finite nodes and stands in the group of its own class;
// - the active item is in the list, or it is the item being created (or the symbol being
//   placed) and no list holds it;
// - the list stores and loads back to the same bytes, once a first load has settled it.
// The sanitizers catch the rest: a crash, undefined behaviour, an item freed twice or never.

#include "ScratchSettings.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/archive/Archive.h>
#include <vellum/backends/recording/RecordingDC.h>
#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/DialogItem.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/Menu.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/UiHost.h>
#include <vellum/window/GraphicWnd.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vellum;

// Reads the input front to back; once it runs out every read gives zero.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint8_t Peek() const { return m_pos < m_size ? m_data[m_pos] : 0; }
    int Small(int count) { return Byte() % count; }
    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return static_cast<std::int32_t>(value);
    }
    WORD Word() { return static_cast<WORD>(Byte() | (Byte() << 8)); }
    std::vector<BYTE> Bytes(std::size_t count) {
        count = std::min(count, m_size - std::min(m_pos, m_size));
        std::vector<BYTE> bytes(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
        return bytes;
    }

    // A view coordinate: mostly near the image, sometimes far off or at the limits.
    int Coordinate() {
        switch (Small(8)) {
        case 0:
            return Int32();
        case 1:
            return Byte() % 2 ? INT_MAX : INT_MIN;
        case 2:
            return -static_cast<int>(Word());
        default:
            return static_cast<int>(Word() % 700) - 30;
        }
    }
    CPoint Point() {
        const int x = Coordinate();
        return CPoint(x, Coordinate());
    }

    // Text a user could type: digits, signs, separators, letters and an accented one.
    std::string Text() {
        static constexpr char kAlphabet[] = "0123456789-+.,eE xa\xE0\t";
        std::string text;
        for (int length = Small(8); length > 0; --length)
            text += kAlphabet[Small(sizeof kAlphabet - 1)];
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The user and the host, answering from the bytes.
class FuzzUiHost : public CUiHost {
public:
    explicit FuzzUiHost(ByteReader& in) : m_in(in) {}

    void RunModalDialog(CDialog& dialog) override {
        Use(dialog);
        if (dialog.IsOpen())
            m_in.Byte() % 2 ? dialog.PressOK() : dialog.PressCancel();
        if (dialog.IsOpen())
            dialog.PressCancel();
    }

    void RunPropertySheet(CPropertySheet& sheet) override {
        for (int steps = m_in.Small(4); steps > 0 && sheet.IsOpen(); --steps) {
            if (sheet.GetPageCount() > 0)
                sheet.SetActivePage(m_in.Small(sheet.GetPageCount()));
            if (CPropertyPage* page = sheet.GetActivePage())
                Use(*page);
        }
        if (sheet.IsOpen())
            m_in.Byte() % 2 ? sheet.PressOK() : sheet.PressCancel();
        if (sheet.IsOpen())
            sheet.PressCancel();
    }

    BOOL ChooseColor(CHOOSECOLOR& choice) override {
        if (m_in.Byte() % 2 == 0)
            return FALSE;
        choice.rgbResult = static_cast<COLORREF>(m_in.Int32()) & 0x00FFFFFF;
        return TRUE;
    }

    BOOL ChooseFont(CHOOSEFONT&) override { return m_in.Byte() % 2; }

    int MessageBox(CWnd*, const char*, const char*, UINT) override {
        static constexpr int kAnswers[] = {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE};
        return kAnswers[m_in.Small(static_cast<int>(std::size(kAnswers)))];
    }

    UINT TrackPopupMenu(const CMenu& menu, UINT, POINT, CWnd*) override {
        const int count = static_cast<int>(menu.GetMenuItemCount());
        const int choice = m_in.Small(count + 1);
        return choice == count ? 0 : menu.GetMenuItemID(choice);
    }

    void SetCursor(UINT) override {}

private:
    // A few inputs to the controls of an open dialog or page.
    void Use(CDialog& dialog) {
        for (int steps = m_in.Small(6); steps > 0 && dialog.IsOpen(); --steps) {
            if (dialog.GetItemCount() == 0)
                return;
            const int id = dialog.GetItemAt(m_in.Small(dialog.GetItemCount()))->GetDlgCtrlID();
            switch (m_in.Small(3)) {
            case 0:
                dialog.TypeText(id, m_in.Text().c_str());
                break;
            case 1:
                dialog.ClickButton(id);
                break;
            default:
                dialog.MoveSpin(id, static_cast<signed char>(m_in.Byte()));
                break;
            }
        }
    }

    ByteReader& m_in;
};

// The host's view: invalidations are ignored, drawing goes to recording contexts.
class FuzzView : public CWnd {
public:
    void InvalidateRect(const RECT*, BOOL) override {}
    void Invalidate(BOOL) override {}
    void UpdateWindow() override {}
    BOOL GetUpdateRect(RECT* rect, BOOL) override {
        if (rect)
            *rect = RECT{0, 0, 0, 0};
        return FALSE;
    }
    CDC* GetDC() override { return new CRecordingDC; }
    int ReleaseDC(CDC* dc) override {
        delete dc;
        return 1;
    }
    void ClientToScreen(POINT*) override {}
};

// Exposes the state the invariants need.
class FuzzWnd : public CGraphicWnd {
public:
    using CGraphicWnd::CGraphicWnd;
    int State() const { return m_nState; }
};

// An invariant that does not hold: says which, then stops the run.
[[noreturn]] void Violated(const char* invariant) {
    std::fprintf(stderr, "window fuzzer: %s\n", invariant);
    std::abort();
}

std::vector<BYTE> StoreList(CGraphicItemList& list) {
    HGLOBAL block = list.GetGlobalHandle();
    if (!block)
        Violated("the list could not be stored");
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    std::vector<BYTE> stored(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return stored;
}

std::unique_ptr<CGraphicItemList> LoadList(std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
    return std::unique_ptr<CGraphicItemList>(static_cast<CGraphicItemList*>(object.release()));
}

// Calls visit(key, item) for every item of the list, group after group.
template <class Visit> void ForEachItem(CGraphicItemList& list, Visit visit) {
    for (POSITION pos = list.GetStartPosition(); pos;) {
        WORD key = 0;
        CObject* group = nullptr;
        list.GetNextAssoc(pos, key, group);
        auto* entries = static_cast<CGrItemList*>(group);
        for (POSITION at = entries ? entries->GetHeadPosition() : nullptr; at;)
            visit(key, static_cast<CGraphicItem*>(entries->GetNext(at)));
    }
}

bool Finite(const CVector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

struct Session {
    explicit Session(ByteReader& input) : in(input) {}

    ByteReader& in;
    FuzzView view;
    CGraphicItemList ownList; // a list the host hands over and keeps, so it outlives the window
    FuzzWnd wnd{&view};
    std::set<const CGraphicItem*> loaded; // items read from bytes, checked more loosely

    void Check() {
        CGraphicItemList* list = wnd.GetVectorItemList();
        CGraphicItem* active = wnd.GetActiveItem();
        bool activeListed = false;
        if (list) {
            ForEachItem(*list, [&](WORD key, CGraphicItem* item) {
                activeListed = activeListed || item == active;
                if (loaded.count(item))
                    return;
                if (item->GetClass() != key)
                    Violated("an item stands in the group of another class");
                for (int i = 0; i < item->GetNodeCount(); ++i)
                    if (!Finite(item->GetNode(i))) {
                        std::fprintf(stderr, "window fuzzer: %s node %d of %d is (%g, %g)\n",
                                     item->GetRuntimeClass()->m_lpszClassName, i,
                                     item->GetNodeCount(), item->GetNode(i).x, item->GetNode(i).y);
                        Violated("an item has a node that is not finite");
                    }
            });
            // Loading settles what a reload recomputes (a profile graph's connector, for one),
            // and enters the keys afresh, which reverses keys that share a bucket of the map:
            // so the list read once and the list read three times must store the same bytes.
            std::unique_ptr<CGraphicItemList> once = LoadList(StoreList(*list));
            if (!once)
                Violated("the stored list does not load");
            const std::vector<BYTE> settled = StoreList(*once);
            std::unique_ptr<CGraphicItemList> twice = LoadList(settled);
            std::unique_ptr<CGraphicItemList> thrice =
                twice ? LoadList(StoreList(*twice)) : nullptr;
            if (!thrice || StoreList(*thrice) != settled)
                Violated("the list does not store and load back to the same bytes");
        }
        if (active && !activeListed) {
            const int state = wnd.State();
            if (state < CGraphicWnd::stateStarted ||
                (state > CGraphicWnd::stateBetweenNodes && state != CGraphicWnd::stateSymbolChosen))
                Violated("the active item is neither in the list nor being created");
        }
    }

    void Remember(CGraphicItemList* list) {
        loaded.clear();
        if (!list)
            return;
        ForEachItem(*list, [&](WORD, CGraphicItem* item) { loaded.insert(item); });
    }

    void Step() {
        static constexpr double kZooms[] = {1.0, 0.5, 2.0, 0.0, 0.25, 4.0, 0.1, 10.0, 1.5, 3.3};
        static constexpr double kDegrees[] = {90.0, -90.0, 180.0, 45.0, 0.0, 30.0, 270.0, -135.5};
        // VELLUM_FUZZ_TRACE=1 prints each operation and the window's state, to triage a finding.
        static const bool trace = std::getenv("VELLUM_FUZZ_TRACE") != nullptr;
        if (trace)
            std::fprintf(stderr, "state %d action %d, operation %d\n", wnd.State(),
                         wnd.GetVectorAction(), static_cast<int>(in.Peek() % 20));
        switch (in.Small(20)) {
        case 0:
            wnd.SetVectorAction(static_cast<signed char>(in.Byte()));
            break;
        case 1:
        case 2:
            wnd.LButtonDown(0, in.Point());
            break;
        case 3:
        case 4:
            wnd.MouseMove(0, in.Point());
            break;
        case 5:
        case 6:
            wnd.LButtonUp(0, in.Point());
            break;
        case 7:
            wnd.LButtonDoubleClick(0, in.Point());
            break;
        case 8:
            wnd.RButtonDown(0, in.Point());
            break;
        case 9:
            wnd.SetZoomFactor(kZooms[in.Small(static_cast<int>(std::size(kZooms)))]);
            break;
        case 10:
            wnd.SetImageOrg(in.Point());
            break;
        case 11:
            wnd.SetImageSize(CSize(in.Word() % 5000, in.Word() % 5000));
            break;
        case 12:
            if (in.Byte() % 2) {
                wnd.Initialize(static_cast<CGraphicItemList*>(nullptr));
            } else {
                wnd.Initialize(&ownList);
                loaded.clear();
            }
            break;
        case 13:
            wnd.RotateWnd(kDegrees[in.Small(static_cast<int>(std::size(kDegrees)))]);
            break;
        case 14:
            switch (in.Small(3)) {
            case 0:
                wnd.SetVisible(in.Byte() % 2);
                break;
            case 1:
                wnd.EnableAccess(in.Byte() % 4 != 0);
                break;
            default:
                wnd.SetTypesToDraw(in.Word());
                break;
            }
            break;
        case 15:
            wnd.ForceNewItemType(in.Byte() % 2 ? 0 : static_cast<WORD>(1u << in.Small(16)));
            break;
        case 16:
            wnd.OnProperties();
            break;
        case 17:
            if (CGraphicItem* active = wnd.GetActiveItem()) {
                loaded.erase(active);
                wnd.RemoveGraphicItem(active);
            }
            break;
        case 18: {
            const std::vector<BYTE> bytes = in.Bytes(in.Word() % 512);
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            if (!bytes.empty())
                std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
            GlobalUnlock(block);
            if (wnd.Initialize(block))
                Remember(wnd.GetVectorItemList());
            GlobalFree(block);
            break;
        }
        default: {
            CRecordingDC dc;
            wnd.Draw(&dc, in.Byte() % 2 ? 0xFFFF : in.Word(), in.Byte());
            break;
        }
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellum::fuzz::UseScratchSettings("window");
    ByteReader in(data, size);
    FuzzUiHost host(in);
    CUiHostScope scope(host);
    Session session(in);
    for (int steps = 0; !in.Empty() && steps < 200; ++steps) {
        session.Step();
        session.Check();
    }
    // The window lets go of the host's list before the list goes.
    session.wnd.EnableAccess(1);
    session.wnd.Initialize(static_cast<CGraphicItemList*>(nullptr));
    return 0;
}
