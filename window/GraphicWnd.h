#pragma once
// CGraphicWnd: the controller of the overlay in one image view. It is not a window of its own:
// it draws into, invalidates and updates the host's view window (the parent) and is driven
// entirely by the host's calls. It holds the item list shown and edited, where the image lies
// in the view and at what zoom, and the mouse state machine that creates, selects, moves,
// rotates and deletes items.
//
// View coordinates are integer pixels of the parent window; image coordinates are pixels of
// the image. Every double-to-integer conversion of the mapping truncates toward zero, and the
// zoom scales only when it is neither 0.0 nor 1.0.
//
// While access is disabled (EnableAccess(0)) the guarded operations do nothing and answer 0:
// editing, settings that change the items and the mouse. Mapping, drawing, the image
// placement and the getters always work.

#include <vellum/geometry/Vector.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/Wnd.h>

#include <functional>
#include <memory>

namespace vellum {

class CArchive;
class CDC;
class CGraphicItem;
class CGraphicItemList;
class CGraphicSymbol;
struct struct_LEAD_Bitmap;

class CGraphicWnd : public CWnd {
    DECLARE_DYNAMIC(CGraphicWnd)
public:
    // Vector actions: what a press of the left button does.
    static constexpr int actionSelect = 0; // select, then move the item or a node
    static constexpr int actionRotate = 1;
    static constexpr int actionDelete = 2;
    static constexpr int actionLine = 3;
    static constexpr int actionDistance = 4;
    static constexpr int actionText = 5;
    static constexpr int actionAngle = 6;
    static constexpr int actionSymbol = 7;
    static constexpr int actionDensityArea = 8;
    static constexpr int actionDensityLine = 9;
    static constexpr int actionPolyLine = 10;
    static constexpr int actionArc = 11;
    static constexpr int actionRectangle = 12;
    static constexpr int actionFreeDraw = 13;
    static constexpr int actionSelectionRect = 14;

    // Interaction states.
    static constexpr int stateIdle = 0;
    static constexpr int stateStarted = 1;       // a new item has its start, no move yet
    static constexpr int stateDraggingEnd = 2;   // the end of a single-segment item follows
    static constexpr int stateDraggingNode = 3;  // the last node of a multi-node item follows
    static constexpr int stateBetweenNodes = 4;  // the next move adds a node
    static constexpr int statePressedToMove = 5; // pressed on an item, not moved yet
    static constexpr int stateMoving = 6;        // the item or its focused node moves
    static constexpr int statePressedToRotate = 7;
    static constexpr int stateRotating = 8;
    static constexpr int stateSymbolChosen = 9; // the next move or press places the symbol

    // Context-menu commands that the parent window receives.
    static constexpr UINT commandProperties = 49500; // the host calls OnProperties
    static constexpr UINT commandCropping = 49501;   // the host crops to the selection

    // A window over parent, the host's view, with a new empty list of its own.
    explicit CGraphicWnd(CWnd* parent);
    ~CGraphicWnd() override;

    // Shows and edits the caller's list, which stays the caller's (null: no list).
    void Initialize(CGraphicItemList* list);
    // Loads a list from a global memory block written by CGraphicItemList::GetGlobalHandle;
    // the window owns it. 1 on success; 0 leaves the current list in place. The block stays
    // the caller's.
    int Initialize(void* block);
    // The image under the overlay changed: the list's density items gather from it again
    // (BitmapForItems) and the view is repainted at once.
    void SetBitmap(struct_LEAD_Bitmap* bitmap);
    // Where the image lies in the view; none of them redraws.
    void SetImageOrg(CPoint origin) { m_ptImageOrg = origin; }
    void SetImageSize(CSize size) { m_szImage = size; }
    void SetZoomFactor(double zoom) { m_dZoom = zoom; }
    // Turns every item clockwise by degrees about the image centre and moves them so that
    // the turned image starts at (0, 0). The host turns its image and sets the new size.
    void RotateWnd(double degrees);
    // List-wide calibration, forwarded to the list; each repaints the view at once and marks
    // window and list modified.
    void SetMagnification(double x, double y);
    void SetResolution(double x, double y);
    void SetCalibrated(int calibrated);
    // The list's calibrated flag; 0 without a list.
    int IsCalibrated();
    // The classes the list draws and hits (not guarded).
    void SetTypesToDraw(WORD mask);
    // Non-zero: the class of every new item instead of its kind's class.
    void ForceNewItemType(WORD type);
    void SetVisible(int visible) { m_bVisible = visible; }
    int IsVisible() const { return m_bVisible; }
    void EnableAccess(int enabled) { m_bAccessEnabled = enabled; }
    int IsAccessEnabled() const { return m_bAccessEnabled; }
    // The window's own modified flag; the list keeps its own.
    void SetModified(int modified);
    int IsModified() const { return m_bModified; }
    // A library given here belongs to the window, unless it is the module-wide library with
    // which every window starts.
    void SetSymbolLibrary(CGraphicItemList* library);
    CGraphicItemList* GetSymbolLibrary() const { return m_pSymbolLibrary; }

    CGraphicItemList* GetVectorItemList() const { return m_pItemList; }
    CGraphicItem* GetActiveItem() const { return m_pActiveItem; }
    CGraphicItem* GetLastNewItem() const { return m_pLastNewItem; }
    int GetVectorAction() const { return m_nVectorAction; }

    // 1 when the view point lies on the image as displayed.
    int IsInsideImage(CPoint point);
    // View point to image point and back.
    CPoint ToImagePnt(CPoint point);
    CPoint FromImagePnt(CPoint point);
    CRect FromImageRect(CRect rect);

    // Draws the overlay from the host's paint handler, items in image coordinates at the
    // zoom, with the context's viewport origin at the image origin for the time of the call.
    void Draw(CDC* dc, WORD types, LONG flags);

    // The mouse, in view coordinates; flags are not used. See the vector actions and states.
    void SetVectorAction(int action);
    void LButtonDown(UINT flags, CPoint point);
    void MouseMove(UINT flags, CPoint point);
    void LButtonUp(UINT flags, CPoint point);
    void LButtonDoubleClick(UINT flags, CPoint point);
    // Selects the item under the point and shows its context menu: 1 when a menu was shown.
    int RButtonDown(UINT flags, CPoint point);
    // The context menu's command 49500: the active item's property sheet.
    void OnProperties();
    // Deletes the item from the list: 1, or 0 when the list does not hold it.
    int RemoveGraphicItem(CGraphicItem* item);

    // The placement symbol, which the window owns, made afresh from every item of the list
    // (shared, not copied) and sized at the list's resolution when it has one.
    CGraphicSymbol* GetSymbol();
    // Writes GetSymbol's symbol, after the definition dialog, as one archived object; 0 on an
    // archive failure or without a list.
    int SaveSymbol(CArchive& ar);
    // Reads an archived symbol into a new list of the window's own: the symbol becomes the
    // placement symbol and its items the list's. 0 when nothing, another class or damaged
    // data was read; the window then has a new empty list.
    int OpenSymbol(CArchive& ar);
    CGraphicSymbol* GetPlacementSymbol() const { return m_pPlacementSymbol.get(); }

    // The window stands in the parent's view: what it is asked to repaint or draw, the
    // parent repaints or draws.
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) override;
    void Invalidate(BOOL erase = TRUE) override;
    void UpdateWindow() override;
    BOOL GetUpdateRect(RECT* rect, BOOL erase = FALSE) override;
    CDC* GetDC() override;
    int ReleaseDC(CDC* dc) override;
    void ClientToScreen(POINT* point) override;

protected:
    // The item's bounds in image coordinates, grown by its pick gap at zooms below 1.0.
    CRect GetItemBoundsRect(CGraphicItem* item);
    // Invalidates (erasing) the item's area in the view and returns it.
    CRect InvalidateItemArea(CGraphicItem* item);
    // An image rectangle to view coordinates at the zoom (applied even at 1.0), then shifted.
    void OffsetZoom(CRect& rect, CPoint shift);
    // Gives the item under the point the chance to set its own cursor.
    void TrackMousePointer(UINT flags, CPoint point);
    // The active item becomes item, a new item that no list holds yet: the window destroys
    // it if it is given up before it joins the list.
    void HoldNewItem(CGraphicItem* item);

    CWnd* m_pParent;
    CGraphicItem* m_pActiveItem = nullptr;
    CGraphicItem* m_pLastNewItem = nullptr;
    CRect m_rcOldArea;   // view coordinates
    CPoint m_ptPrevious; // image coordinates, set at each press
    CPoint m_ptDown;     // image coordinates, advanced while moving or rotating
    int m_bVisible = 1;
    CGraphicItemList* m_pItemList;
    CGraphicItemList* m_pSymbolLibrary = nullptr;
    CPoint m_ptImageOrg;
    double m_dZoom = 1.0;
    int m_bModified = 0;
    CSize m_szImage;
    CPoint m_ptMoveDisplacement;
    double m_dRotationAngle = 0.0;
    int m_nFocusCode = 0;
    CVector m_vRotationCentre;
    int m_bOwnsList = 1;
    WORD m_wForcedType = 0;
    int m_bAccessEnabled = 1;
    double m_dNodeTolerance = 3.0; // image pixels between a click and a new node
    CVector m_vLastNode;
    int m_nPlacedNodes = 0;
    LONG m_nLastDrawFlags = 0;
    int m_nState = stateIdle;
    int m_nVectorAction = actionSelect;

private:
    // The chosen symbol becomes the active item, waiting to be placed.
    void HoldChosenSymbol(CGraphicSymbol* symbol);
    // Empties the placement symbol (its items are the list's) and deletes it.
    void DeletePlacementSymbol();
    // The list becomes list, owned or not; the list the window owned goes.
    void ReplaceList(CGraphicItemList* list, int owned);
    // Creates the item of the vector action at v, when the action creates one.
    void CreateItem(const CVector& v);
    // Finds the item under v, cycling through overlapping ones, and selects, readies for
    // rotation or deletes it.
    void PickItem(const CVector& v);
    // Deselects the active item and destroys it when no list holds it.
    void DropActiveItem();
    // Lets go of the active item without repainting: destroyed when no list holds it,
    // otherwise unfocused when its list survives.
    void ReleaseActiveItem(bool listSurvives);
    // Adds the active item to the list; both modified flags on success.
    void AddActiveItem();
    // Ends the creation of the active item with its last node at v.
    void FinishItem(CVector v);
    int DeleteFromList(CGraphicItem* item);
    void SetBothModified();
    // Draws the active item in exclusive-or mode into the parent: once, or erased, changed
    // and drawn again around change.
    void DrawExclusive(const std::function<void()>* change);
    void RedrawAround(const std::function<void()>& change) { DrawExclusive(&change); }
    CRect ItemAreaInView(CGraphicItem* item);
    void InvalidateParent(const RECT* rect);
    void RepaintParent();
    // Repaints the parent at once when something is marked for repainting.
    void RepaintPending();

    // The new item that no list holds yet.
    std::unique_ptr<CGraphicItem> m_pNewItem;
    std::unique_ptr<CGraphicSymbol> m_pPlacementSymbol;
};

} // namespace vellum
