#include <vellum/window/GraphicWnd.h>

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicArc.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/density/GrDensityArea.h>
#include <vellum/density/GrDensityLine.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/Menu.h>
#include <vellum/platform/String.h>
#include <vellum/platform/UiHost.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <string_view>

namespace vellum {

IMPLEMENT_DYNAMIC(CGraphicWnd, CWnd)

namespace {

// The library's resources that the window shows.
constexpr UINT kStringProperties = 24000;       // "Propietà"
constexpr UINT kStringNotCalibrated = 24003;    // "Immagine non calibrata!"
constexpr UINT kStringCropImage = 24004;        // "Taglia immagine"
constexpr UINT kStringBadSymbolLibrary = 24016; // "Simbolo errato file libreria!"
constexpr const char* kGraphicItemMenu = "GRAPHIC_ITEM_MENU";

constexpr UINT kMemFileGrowth = 1024;
constexpr int kArchiveBuffer = 4096;
constexpr WORD kAnyGroup = 0xFFFF;

// The click-cycle memory, shared by every window of the process: whether the last pick left
// further items under the point, and that point. Clicking it again steps to the next item.
int g_bMoreHits = 0;
CVector g_vLastHit(-9999.0, -9999.0);

// The items the creating actions make, with their classes. A kind joins the window with one
// entry here; actions without an entry create nothing.
struct NewItemKind {
    int action;
    WORD itemClass;
    CGraphicItem* (*create)(CGraphicItemList& list);
};

constexpr NewItemKind kNewItemKinds[] = {
    {CGraphicWnd::actionLine, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGraphicLine; }},
    {CGraphicWnd::actionDensityArea, CGraphicItem::classDensity,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGrDensityArea; }},
    {CGraphicWnd::actionDensityLine, CGraphicItem::classDensity,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGrDensityLine; }},
    {CGraphicWnd::actionPolyLine, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGrPolyLine; }},
    {CGraphicWnd::actionRectangle, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGraphicRect; }},
    {CGraphicWnd::actionSelectionRect, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGraphicSelectionRect; }},
    {CGraphicWnd::actionText, CGraphicItem::classText,
     [](CGraphicItemList&) -> CGraphicItem* {
         auto* text = new CGraphicText;
         text->InitFont();
         return text;
     }},
    {CGraphicWnd::actionDistance, CGraphicItem::classMeasure,
     [](CGraphicItemList& list) -> CGraphicItem* {
         return new CGrPolyDist(list.GetRegionalSettings());
     }},
    {CGraphicWnd::actionAngle, CGraphicItem::classMeasure,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGrAngle; }},
    {CGraphicWnd::actionArc, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGraphicArc; }},
    {CGraphicWnd::actionFreeDraw, CGraphicItem::classDrawing,
     [](CGraphicItemList&) -> CGraphicItem* { return new CGraphicFreeDraw; }},
};

// Kinds that the window treats apart are recognised by class name, so that the window does
// not depend on them.
bool IsKind(const CGraphicItem* item, std::string_view className) {
    return item && CClassRegistry::Instance().IsKindOf(item, className);
}

bool ZoomApplies(double zoom) {
    return zoom != 0.0 && zoom != 1.0;
}

// Releases a drawing context of the parent however the drawing ends.
class CWindowDC {
public:
    explicit CWindowDC(CWnd* window) : m_window(window), m_dc(window ? window->GetDC() : nullptr) {}
    ~CWindowDC() {
        if (m_dc)
            m_window->ReleaseDC(m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    CDC* Get() const { return m_dc; }

private:
    CWnd* m_window;
    CDC* m_dc;
};

} // namespace

CGraphicWnd::CGraphicWnd(CWnd* parent)
    : m_pParent(parent), m_pItemList(new CGraphicItemList),
      m_pSymbolLibrary(GetModuleSymbolLibrary()) {}

CGraphicWnd::~CGraphicWnd() {
    DeletePlacementSymbol();
    if (IsKind(m_pActiveItem, "CGraphicSelectionRect"))
        DeleteFromList(m_pActiveItem);
    if (IsKind(m_pActiveItem, "CGrDensityArea") || IsKind(m_pActiveItem, "CGrDensityLine"))
        m_pActiveItem->SetFocus(0);
    m_pNewItem.reset();
    if (m_bOwnsList)
        delete m_pItemList;
    if (m_pSymbolLibrary != GetModuleSymbolLibrary())
        delete m_pSymbolLibrary;
}

void CGraphicWnd::DeletePlacementSymbol() {
    if (!m_pPlacementSymbol)
        return;
    m_pPlacementSymbol->RemoveAllItems();
    m_pPlacementSymbol.reset();
}

void CGraphicWnd::ReplaceList(CGraphicItemList* list, int owned) {
    // The placement symbol refers to the list's items, which may go with the list.
    if (m_pPlacementSymbol)
        m_pPlacementSymbol->RemoveAllItems();
    if (m_bOwnsList && list != m_pItemList)
        delete m_pItemList;
    m_pItemList = list;
    m_bOwnsList = owned;
}

// ---------------------------------------------------------------------------------------------
// Set-up

void CGraphicWnd::Initialize(CGraphicItemList* list) {
    if (!m_bAccessEnabled)
        return;
    // The window's own list given back stays the window's.
    const bool keepsOwnList = m_bOwnsList && list == m_pItemList;
    ReleaseActiveItem(!m_bOwnsList || keepsOwnList);
    m_pActiveItem = m_pLastNewItem = nullptr;
    ReplaceList(list, keepsOwnList ? 1 : 0);
    m_nVectorAction = actionSelect;
    m_nState = stateIdle;
    if (list)
        list->OnRegionalSettingsChanged();
}

int CGraphicWnd::Initialize(void* block) {
    if (!m_bAccessEnabled)
        return 0;
    ReleaseActiveItem(true);
    m_pActiveItem = m_pLastNewItem = nullptr;
    m_nVectorAction = actionSelect;
    m_nState = stateIdle;
    if (!block)
        return 0;
    void* bytes = GlobalLock(block);
    if (!bytes)
        return 0;
    const std::size_t size = GlobalSize(block);
    int result = 0;
    try {
        if (size > 0 && size <= UINT_MAX) {
            CMemFile file(static_cast<BYTE*>(bytes), static_cast<UINT>(size), kMemFileGrowth);
            CArchive ar(&file, CArchive::load, kArchiveBuffer);
            std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
            ar.Close();
            if (object && object->IsKindOf(RUNTIME_CLASS(CGraphicItemList))) {
                ReplaceList(static_cast<CGraphicItemList*>(object.release()), 1);
                result = 1;
            }
        }
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
    GlobalUnlock(block);
    return result;
}

// The density items gather from the new image before the view is repainted over it.
void CGraphicWnd::SetBitmap(struct_LEAD_Bitmap* bitmap) {
    if (!m_bAccessEnabled)
        return;
    if (m_pItemList)
        m_pItemList->BitmapForItems(bitmap);
    RepaintParent();
}

void CGraphicWnd::RotateWnd(double degrees) {
    if (!m_bAccessEnabled || !m_pItemList)
        return;
    const double angle = -degrees / 180 * PI;
    const double width = m_szImage.cx;
    const double height = m_szImage.cy;
    CVector centre(width / 2, height / 2);
    m_pItemList->RotateItems(angle, &centre);

    // The turned image's box starts at the smallest x and y of its corners, rounded to
    // whole pixels; the items move so that it starts at (0, 0). (A pixel region of the
    // corners would lose a pixel at a slanted corner.)
    const CVector corners[4] = {CVector(0, 0), CVector(width, 0), CVector(width, height),
                                CVector(0, height)};
    LONG left = INT32_MAX;
    LONG top = INT32_MAX;
    for (CVector corner : corners) {
        corner.Rotate(angle, &centre);
        const POINT point = corner;
        left = std::min(left, point.x);
        top = std::min(top, point.y);
    }
    m_pItemList->MoveItems(-static_cast<double>(left), -static_cast<double>(top));

    SetBothModified();
    RepaintParent();
}

void CGraphicWnd::SetMagnification(double x, double y) {
    if (!m_bAccessEnabled || !m_pItemList)
        return;
    m_pItemList->SetMagnification(x, y);
    RepaintParent();
    SetBothModified();
}

void CGraphicWnd::SetResolution(double x, double y) {
    if (!m_bAccessEnabled || !m_pItemList)
        return;
    m_pItemList->SetResolution(x, y);
    RepaintParent();
    SetBothModified();
    if (m_pPlacementSymbol)
        m_pPlacementSymbol->Resize(x, y);
}

void CGraphicWnd::SetCalibrated(int calibrated) {
    if (!m_bAccessEnabled || !m_pItemList)
        return;
    m_pItemList->SetCalibrated(calibrated);
    RepaintParent();
    SetBothModified();
}

int CGraphicWnd::IsCalibrated() {
    return m_pItemList ? m_pItemList->IsCalibrated() : 0;
}

void CGraphicWnd::SetTypesToDraw(WORD mask) {
    if (m_pItemList)
        m_pItemList->SetTypesToDraw(mask);
}

void CGraphicWnd::ForceNewItemType(WORD type) {
    if (m_bAccessEnabled)
        m_wForcedType = type;
}

void CGraphicWnd::SetModified(int modified) {
    if (m_bAccessEnabled)
        m_bModified = modified;
}

void CGraphicWnd::SetSymbolLibrary(CGraphicItemList* library) {
    if (!m_bAccessEnabled)
        return;
    if (library != m_pSymbolLibrary && m_pSymbolLibrary != GetModuleSymbolLibrary())
        delete m_pSymbolLibrary;
    m_pSymbolLibrary = library;
}

// ---------------------------------------------------------------------------------------------
// Mapping

CPoint CGraphicWnd::ToImagePnt(CPoint point) {
    CPoint d(WrapSub(point.x, m_ptImageOrg.x), WrapSub(point.y, m_ptImageOrg.y));
    if (ZoomApplies(m_dZoom)) {
        d.x = TruncateToLong(d.x / m_dZoom);
        d.y = TruncateToLong(d.y / m_dZoom);
    }
    return d;
}

CPoint CGraphicWnd::FromImagePnt(CPoint point) {
    if (ZoomApplies(m_dZoom)) {
        point.x = TruncateToLong(point.x * m_dZoom);
        point.y = TruncateToLong(point.y * m_dZoom);
    }
    return point + m_ptImageOrg;
}

CRect CGraphicWnd::FromImageRect(CRect rect) {
    return CRect(FromImagePnt(rect.TopLeft()), FromImagePnt(rect.BottomRight()));
}

int CGraphicWnd::IsInsideImage(CPoint point) {
    LONG width = m_szImage.cx;
    LONG height = m_szImage.cy;
    if (ZoomApplies(m_dZoom)) {
        width = TruncateToLong(width * m_dZoom);
        height = TruncateToLong(height * m_dZoom);
    }
    CRect image(m_ptImageOrg.x, m_ptImageOrg.y, WrapAdd(m_ptImageOrg.x, width),
                WrapAdd(m_ptImageOrg.y, height));
    image.NormalizeRect();
    return image.PtInRect(point) ? 1 : 0;
}

void CGraphicWnd::OffsetZoom(CRect& rect, CPoint shift) {
    const double z = m_dZoom;
    const double width = static_cast<double>(rect.right) - rect.left;
    const double height = static_cast<double>(rect.bottom) - rect.top;
    const double left = rect.left * z;
    const double top = rect.top * z;
    rect.SetRect(TruncateToLong(left), TruncateToLong(top), TruncateToLong(left + width * z),
                 TruncateToLong(top + height * z));
    rect.OffsetRect(shift);
}

CRect CGraphicWnd::GetItemBoundsRect(CGraphicItem* item) {
    if (!item)
        return CRect();
    CRect bounds = item->GetBoundsRect(1);
    if (m_dZoom < 1.0) {
        const LONG grow = TruncateToLong(item->GetGap() / m_dZoom);
        bounds.InflateRect(grow, grow);
    }
    return bounds;
}

CRect CGraphicWnd::ItemAreaInView(CGraphicItem* item) {
    CRect area = GetItemBoundsRect(item);
    OffsetZoom(area, m_ptImageOrg);
    return area;
}

CRect CGraphicWnd::InvalidateItemArea(CGraphicItem* item) {
    const CRect area = ItemAreaInView(item);
    InvalidateParent(&area);
    return area;
}

// ---------------------------------------------------------------------------------------------
// Drawing and the parent window

void CGraphicWnd::Draw(CDC* dc, WORD types, LONG flags) {
    if (!m_bVisible || !dc)
        return;
    m_nLastDrawFlags = flags;
    const CPoint previous = dc->SetViewportOrg(m_ptImageOrg);
    if (m_pItemList)
        m_pItemList->Draw(dc, m_dZoom, types, flags, 1.0);
    dc->SetViewportOrg(previous);
}

void CGraphicWnd::DrawExclusive(const std::function<void()>* change) {
    const CWindowDC windowDC(m_pParent);
    CDC* dc = windowDC.Get();
    if (!dc) {
        if (change)
            (*change)();
        return;
    }
    const CPoint previous = dc->SetViewportOrg(m_ptImageOrg);
    dc->SetROP2(R2_NOTXORPEN);
    if (change) {
        m_pActiveItem->Draw(dc, m_dZoom, 0, 0, 1.0);
        (*change)();
    }
    m_pActiveItem->Draw(dc, m_dZoom, 0, 0, 1.0);
    dc->SetViewportOrg(previous);
}

void CGraphicWnd::InvalidateParent(const RECT* rect) {
    if (m_pParent)
        m_pParent->InvalidateRect(rect, TRUE);
}

void CGraphicWnd::RepaintParent() {
    if (!m_pParent)
        return;
    m_pParent->Invalidate(TRUE);
    m_pParent->UpdateWindow();
}

void CGraphicWnd::RepaintPending() {
    RECT area;
    if (m_pParent && m_pParent->GetUpdateRect(&area, FALSE))
        m_pParent->UpdateWindow();
}

void CGraphicWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    if (m_pParent)
        m_pParent->InvalidateRect(rect, erase);
}

void CGraphicWnd::Invalidate(BOOL erase) {
    if (m_pParent)
        m_pParent->Invalidate(erase);
}

void CGraphicWnd::UpdateWindow() {
    if (m_pParent)
        m_pParent->UpdateWindow();
}

BOOL CGraphicWnd::GetUpdateRect(RECT* rect, BOOL erase) {
    return m_pParent ? m_pParent->GetUpdateRect(rect, erase) : CWnd::GetUpdateRect(rect, erase);
}

CDC* CGraphicWnd::GetDC() {
    return m_pParent ? m_pParent->GetDC() : nullptr;
}

int CGraphicWnd::ReleaseDC(CDC* dc) {
    return m_pParent ? m_pParent->ReleaseDC(dc) : 0;
}

void CGraphicWnd::ClientToScreen(POINT* point) {
    if (m_pParent)
        m_pParent->ClientToScreen(point);
}

// ---------------------------------------------------------------------------------------------
// Items held and given up

void CGraphicWnd::HoldNewItem(CGraphicItem* item) {
    if (m_pNewItem.get() != item) {
        if (m_pLastNewItem == m_pNewItem.get())
            m_pLastNewItem = nullptr;
        m_pNewItem.reset(item);
    }
    m_pActiveItem = item;
}

void CGraphicWnd::DropActiveItem() {
    InvalidateItemArea(m_pActiveItem);
    m_pActiveItem->SetFocus(0);
    if (m_pActiveItem == m_pNewItem.get()) {
        if (m_pLastNewItem == m_pActiveItem)
            m_pLastNewItem = nullptr;
        m_pNewItem.reset();
    }
    m_pActiveItem = nullptr;
    // Nothing is left to drag, rotate or place.
    m_nState = stateIdle;
}

void CGraphicWnd::ReleaseActiveItem(bool listSurvives) {
    if (!m_pActiveItem)
        return;
    if (m_pActiveItem == m_pNewItem.get()) {
        if (m_pLastNewItem == m_pActiveItem)
            m_pLastNewItem = nullptr;
        m_pNewItem.reset();
        m_pActiveItem = nullptr;
        return;
    }
    if (listSurvives) {
        m_pActiveItem->SetDrag(0);
        m_pActiveItem->SetFocus(0);
    }
}

void CGraphicWnd::AddActiveItem() {
    if (!m_pItemList || !m_pItemList->AddItem(m_pActiveItem->GetClass(), m_pActiveItem))
        return;
    if (m_pNewItem.get() == m_pActiveItem)
        static_cast<void>(m_pNewItem.release()); // the list owns it now
    SetBothModified();
}

void CGraphicWnd::FinishItem(CVector v) {
    m_pActiveItem->SetDrag(0);
    m_pActiveItem->SetEnd(&v, 0);
    AddActiveItem();
    m_nState = stateIdle;
    m_nVectorAction = actionSelect;
    InvalidateItemArea(m_pActiveItem);
}

void CGraphicWnd::SetBothModified() {
    m_bModified = 1;
    if (m_pItemList)
        m_pItemList->SetModified(1);
}

int CGraphicWnd::DeleteFromList(CGraphicItem* item) {
    if (!m_pItemList || !item)
        return 0;
    // The placement symbol holds only the list's items: one that goes must leave it first.
    if (m_pPlacementSymbol)
        m_pPlacementSymbol->RemoveItem(item);
    if (!m_pItemList->DeleteItemItem(item, item->GetClass()))
        return 0;
    if (m_pActiveItem == item) {
        m_pActiveItem = nullptr;
        m_nState = stateIdle;
    }
    if (m_pLastNewItem == item)
        m_pLastNewItem = nullptr;
    return 1;
}

int CGraphicWnd::RemoveGraphicItem(CGraphicItem* item) {
    return m_bAccessEnabled ? DeleteFromList(item) : 0;
}

// ---------------------------------------------------------------------------------------------
// The mouse

void CGraphicWnd::SetVectorAction(int action) {
    if (!m_bAccessEnabled)
        return;
    m_nVectorAction = action;
    if (m_nState == stateDraggingNode && !IsKind(m_pActiveItem, "CGrAngle"))
        FinishItem(CVector(m_ptPrevious));
    if (m_nVectorAction != actionSymbol)
        return;
    if (m_nState == stateIdle || m_nState == stateStarted || m_nState >= stateSymbolChosen) {
        if (!IsCalibrated())
            AfxMessageBox(kStringNotCalibrated, MB_OK | MB_ICONSTOP);
        else if (!m_pSymbolLibrary)
            AfxMessageBox(kStringBadSymbolLibrary, MB_OK | MB_ICONSTOP);
        else if (CGraphicSymbol* symbol = m_pSymbolLibrary->SelectSymbol())
            HoldChosenSymbol(symbol);
    }
    m_nVectorAction = actionSelect;
}

void CGraphicWnd::HoldChosenSymbol(CGraphicSymbol* symbol) {
    HoldNewItem(symbol);
    symbol->SetClass(CGraphicItem::classSymbol);
    if (m_pItemList) {
        double x, y;
        m_pItemList->GetResolution(&x, &y);
        symbol->SetResolution(x, y);
        m_pItemList->GetMagnification(&x, &y);
        symbol->SetMagnification(x, y);
        symbol->GetDefaultColor();
    }
    m_nState = stateSymbolChosen;
}

void CGraphicWnd::LButtonDown(UINT, CPoint point) {
    if (!m_bAccessEnabled)
        return;
    const CPoint p = ToImagePnt(point);
    const CVector v(p);
    if (m_nState != stateDraggingEnd && IsKind(m_pActiveItem, "CGraphicSelectionRect")) {
        DeleteFromList(m_pActiveItem);
        InvalidateParent(nullptr);
    }
    m_ptPrevious = m_ptDown = p;
    if (m_nState == stateSymbolChosen) {
        CVector start = v;
        m_pActiveItem->SetStart(&start);
        m_nState = stateStarted;
        m_pLastNewItem = m_pActiveItem;
    } else if (m_nState < stateDraggingEnd || m_nState > stateRotating) {
        if (m_pActiveItem)
            DropActiveItem();
        if (m_nVectorAction >= actionSelect && m_nVectorAction <= actionDelete)
            PickItem(v);
        else
            CreateItem(v);
    }
    RepaintPending();
}

void CGraphicWnd::PickItem(const CVector& v) {
    if (!m_pItemList)
        return;
    CVector point = v;
    CGraphicItem* item;
    if (!g_bMoreHits) {
        item = m_pItemList->HitTest(&point, g_bMoreHits, m_dZoom);
        if (g_bMoreHits)
            g_vLastHit = v;
    } else if (v == g_vLastHit) {
        item = m_pItemList->GetNextHit(&point, g_bMoreHits, m_dZoom);
    } else {
        item = m_pItemList->HitTest(&point, g_bMoreHits, m_dZoom);
        g_vLastHit = g_bMoreHits ? v : CVector(-9999.0, -9999.0);
    }
    if (!item || !m_pItemList->IsVisible(item))
        return;

    CRect area = GetItemBoundsRect(item);
    switch (m_nVectorAction) {
    case actionSelect: {
        const int code = item->HitTest(&point, m_dZoom);
        m_pActiveItem = item;
        item->SetFocus(code);
        m_nState =
            IsKind(item, "CGraphicSymbol") && code >= 1 ? statePressedToRotate : statePressedToMove;
        break;
    }
    case actionRotate:
        if (!IsKind(item, "CGrAngle") && !IsKind(item, "CGrPolyDist")) {
            m_pActiveItem = item;
            item->SetFocus(CGraphicItem::hitBody);
            m_nState = statePressedToRotate;
        }
        break;
    default:
        if (m_pPlacementSymbol)
            m_pPlacementSymbol->RemoveItem(item);
        if (m_pItemList->DeleteItemItem(item, kAnyGroup)) {
            SetBothModified();
            if (m_pLastNewItem == item)
                m_pLastNewItem = nullptr;
        }
        m_nVectorAction = actionSelect;
        break;
    }
    OffsetZoom(area, m_ptImageOrg);
    InvalidateParent(&area);
}

void CGraphicWnd::CreateItem(const CVector& v) {
    const NewItemKind* kind = nullptr;
    for (const NewItemKind& candidate : kNewItemKinds)
        if (candidate.action == m_nVectorAction)
            kind = &candidate;
    if (!kind || !m_pItemList)
        return;
    CGraphicItem* item = kind->create(*m_pItemList);
    HoldNewItem(item);
    item->SetClass(m_wForcedType ? m_wForcedType : kind->itemClass);
    CVector start = v;
    item->SetStart(&start);
    if (m_pItemList->IsCalibrated()) {
        double x, y;
        m_pItemList->GetResolution(&x, &y);
        item->SetResolution(x, y);
        item->SetCalibrated(1);
    }
    m_vLastNode = v;
    m_nPlacedNodes = 1;
    item->GetDefaultColor();
    item->GetDefaultWidth();
    m_nState = stateStarted;
    m_pLastNewItem = item;
}

void CGraphicWnd::MouseMove(UINT, CPoint point) {
    if (!m_bAccessEnabled)
        return;
    const CPoint p = ToImagePnt(point);
    CVector v(p);
    switch (m_nState) {
    case stateSymbolChosen:
        m_pActiveItem->SetStart(&v);
        m_pLastNewItem = m_pActiveItem;
        [[fallthrough]];
    case stateStarted:
        if (!m_pActiveItem->AcceptMoreNodes()) {
            m_nState = stateDraggingEnd;
            m_pActiveItem->SetEnd(&v, 0);
        } else {
            m_nState = stateDraggingNode;
            m_pActiveItem->SetEnd(&v, 1);
        }
        m_pActiveItem->SetDrag(1);
        m_rcOldArea = ItemAreaInView(m_pActiveItem);
        DrawExclusive(nullptr);
        break;
    case stateDraggingEnd:
    case stateDraggingNode:
        RedrawAround([&] { m_pActiveItem->SetEnd(&v, 0); });
        if (IsKind(m_pActiveItem, "CGraphicFreeDraw"))
            m_nState = stateBetweenNodes;
        break;
    case stateBetweenNodes:
        RedrawAround([&] {
            m_pActiveItem->SetEnd(&v, 1);
            m_vLastNode = v;
            ++m_nPlacedNodes;
        });
        m_nState = stateDraggingNode;
        break;
    case statePressedToMove:
        m_nFocusCode = m_pActiveItem->HasFocus();
        m_rcOldArea = ItemAreaInView(m_pActiveItem);
        m_ptMoveDisplacement = CPoint(0, 0);
        m_nState = stateMoving;
        [[fallthrough]];
    case stateMoving: {
        m_pActiveItem->SetDrag(1);
        const CSize d = p - m_ptDown;
        RedrawAround([&] {
            if (m_nFocusCode) {
                m_pActiveItem->Move(d.cx, d.cy, m_nFocusCode);
                m_ptMoveDisplacement -= d;
            }
        });
        m_ptDown = p;
        break;
    }
    case statePressedToRotate:
        m_rcOldArea = ItemAreaInView(m_pActiveItem);
        m_dRotationAngle = 0.0;
        m_vRotationCentre = m_pActiveItem->GetCenterPoint();
        m_nState = stateRotating;
        [[fallthrough]];
    case stateRotating: {
        m_pActiveItem->SetDrag(1);
        const CVector a = CVector(m_ptDown) - m_vRotationCentre;
        const CVector b = CVector(p) - m_vRotationCentre;
        const double angle = a.Angle(&b);
        m_ptDown = p;
        RedrawAround([&] { m_pActiveItem->Rotate(-angle, &m_vRotationCentre); });
        m_dRotationAngle += angle;
        break;
    }
    default:
        break;
    }
}

void CGraphicWnd::LButtonUp(UINT flags, CPoint point) {
    if (!m_bAccessEnabled)
        return;
    const CPoint p = ToImagePnt(point);
    CVector v(p);
    switch (m_nState) {
    case stateDraggingEnd:
        m_pActiveItem->SetEnd(&v, 0);
        AddActiveItem();
        if (IsKind(m_pActiveItem, "CGraphicText"))
            m_pActiveItem->Properties(this, m_nLastDrawFlags);
        m_nState = stateIdle;
        // Selection rectangles can be drawn again and again.
        if (!IsKind(m_pActiveItem, "CGraphicSelectionRect"))
            m_nVectorAction = actionSelect;
        InvalidateItemArea(m_pActiveItem);
        m_pActiveItem->SetDrag(0);
        break;
    case stateDraggingNode:
        m_pActiveItem->SetEnd(&v, 0);
        if (IsKind(m_pActiveItem, "CGraphicFreeDraw")) {
            m_nState = stateBetweenNodes;
            LButtonDoubleClick(flags, point);
        } else {
            const double distance = m_vLastNode.Distance(&v);
            if (distance >= m_dNodeTolerance) {
                if (m_pActiveItem->AcceptMoreNodes())
                    m_nState = stateBetweenNodes;
                else
                    FinishItem(v);
            } else if (distance == 0.0 && IsKind(m_pActiveItem, "CGrAngle") &&
                       m_nPlacedNodes == 1) {
                m_nState = stateBetweenNodes;
            }
        }
        break;
    case stateBetweenNodes:
        if (IsKind(m_pActiveItem, "CGraphicFreeDraw"))
            LButtonDoubleClick(flags, point);
        if (IsKind(m_pActiveItem, "CGrAngle") && m_nPlacedNodes == 1) {
            m_pActiveItem->SetEnd(&v, 1);
            m_vLastNode = v;
            ++m_nPlacedNodes;
        }
        m_nVectorAction = actionSelect;
        break;
    case statePressedToMove:
    case statePressedToRotate:
        m_nState = stateIdle;
        break;
    case stateMoving:
        m_pActiveItem->SetDrag(0);
        m_nState = stateIdle;
        InvalidateItemArea(m_pActiveItem);
        SetBothModified();
        InvalidateParent(&m_rcOldArea);
        m_rcOldArea.SetRectEmpty();
        m_nFocusCode = 0;
        break;
    case stateRotating:
        m_pActiveItem->SetDrag(0);
        m_nState = stateIdle;
        InvalidateItemArea(m_pActiveItem);
        SetBothModified();
        m_vRotationCentre = CVector(0, 0);
        InvalidateParent(&m_rcOldArea);
        m_rcOldArea.SetRectEmpty();
        break;
    default:
        break;
    }
    RepaintPending();
}

void CGraphicWnd::LButtonDoubleClick(UINT, CPoint point) {
    if (!m_bAccessEnabled)
        return;
    if (m_nState == stateBetweenNodes && !IsKind(m_pActiveItem, "CGrAngle"))
        FinishItem(CVector(ToImagePnt(point)));
    RepaintPending();
}

int CGraphicWnd::RButtonDown(UINT, CPoint point) {
    if (!m_bAccessEnabled || (m_nState >= stateStarted && m_nState <= stateRotating))
        return 0;
    if (m_pActiveItem)
        DropActiveItem();
    CVector v(ToImagePnt(point));
    int more = 0;
    CGraphicItem* item = m_pItemList ? m_pItemList->HitTest(&v, more, m_dZoom) : nullptr;
    if (!item) {
        RepaintPending();
        return 0;
    }
    m_pActiveItem = item;
    item->SetFocus(CGraphicItem::hitBody);
    InvalidateItemArea(item);
    POINT screen = point;
    if (m_pParent)
        m_pParent->ClientToScreen(&screen);

    const bool selection = IsKind(item, "CGraphicSelectionRect");
    const UINT command = selection ? commandCropping : commandProperties;
    CString text;
    const BOOL loaded = text.LoadString(selection ? kStringCropImage : kStringProperties);
    if (loaded && !selection)
        text += "...";
    CMenu menu;
    if (loaded && menu.CreatePopupMenu()) {
        menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, command, text);
        menu.TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, m_pParent);
        menu.DestroyMenu();
    } else if (menu.LoadMenu(kGraphicItemMenu)) {
        if (CMenu* popup = menu.GetSubMenu(0))
            popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, m_pParent);
        menu.DestroyMenu();
    }
    RepaintPending();
    return 1;
}

void CGraphicWnd::OnProperties() {
    if (!m_bAccessEnabled || !m_pActiveItem)
        return;
    if (m_pActiveItem->Properties(m_pParent, 0))
        SetBothModified();
    InvalidateItemArea(m_pActiveItem);
    if (m_pParent)
        m_pParent->UpdateWindow();
}

void CGraphicWnd::TrackMousePointer(UINT, CPoint point) {
    if (!m_bAccessEnabled || !m_pItemList)
        return;
    CVector v(ToImagePnt(point));
    int more = 0;
    if (CGraphicItem* item = m_pItemList->HitTest(&v, more, m_dZoom))
        item->SetOwnCursor();
}

// ---------------------------------------------------------------------------------------------
// Symbols

CGraphicSymbol* CGraphicWnd::GetSymbol() {
    if (m_pPlacementSymbol)
        m_pPlacementSymbol->RemoveAllItems();
    else
        m_pPlacementSymbol = std::make_unique<CGraphicSymbol>();
    if (m_pItemList) {
        m_pItemList->DumpItems(m_pPlacementSymbol.get());
        double x, y;
        m_pItemList->GetResolution(&x, &y);
        if (x > 0.0 && y > 0.0)
            m_pPlacementSymbol->Resize(x, y);
    }
    return m_pPlacementSymbol.get();
}

int CGraphicWnd::SaveSymbol(CArchive& ar) {
    if (!m_bAccessEnabled || !m_pItemList)
        return 0;
    try {
        CGraphicSymbol* symbol = GetSymbol();
        symbol->SymbolDefDlg();
        ar << symbol;
    } catch (const CException&) {
        return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CGraphicWnd::OpenSymbol(CArchive& ar) {
    if (!m_bAccessEnabled)
        return 0;
    ReleaseActiveItem(true);
    m_pActiveItem = m_pLastNewItem = nullptr;
    m_nState = stateIdle;
    DeletePlacementSymbol();
    try {
        ReplaceList(new CGraphicItemList, 1);
        std::unique_ptr<CObject> object(ar.ReadObject(RUNTIME_CLASS(CGraphicSymbol)));
        if (!object || !object->IsKindOf(RUNTIME_CLASS(CGraphicSymbol)))
            return 0;
        m_pPlacementSymbol.reset(static_cast<CGraphicSymbol*>(object.release()));
        if (m_pPlacementSymbol->DumpItems(m_pItemList))
            return 1;
        // The list holds some of the items now: it goes first, then the symbol, emptied.
        m_pPlacementSymbol->RemoveAllItems();
        ReplaceList(new CGraphicItemList, 1);
        m_pPlacementSymbol.reset();
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}

} // namespace vellum
