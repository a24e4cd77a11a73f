#pragma once
// CGraphicItem: the base of every overlay item. It owns the item's nodes (points in image
// coordinates), its appearance and its interaction state, and gives the item list and the
// window one virtual interface to create, hit-test, move, rotate, scale, flip and store any
// item. The base behaves as an open polyline through its nodes; each kind overrides what
// differs.
//
// Generic code sees the nodes only through the node pointer and node count, which every
// kind keeps valid through CheckNodeArray. Node numbers are 1-based at every interface and
// 0-based in storage.

#include <vellum/geometry/Vector.h>
#include <vellum/platform/Array.h>
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/Object.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/Types.h>

#include <cstdint>

namespace vellum {

class CArchive;
class CDC;
class CRegionalSettings;
class CWnd;

class CGraphicItem : public CObject {
    DECLARE_SERIAL(CGraphicItem)
public:
    // Classes that the window gives to the items it creates; one bit each.
    static constexpr WORD classSymbol = 0x0001;
    static constexpr WORD classDensity = 0x0004;
    static constexpr WORD classMeasure = 0x0008;
    static constexpr WORD classText = 0x0010;
    static constexpr WORD classDrawing = 0x0020;

    // Drawing options passed from the host to every item.
    static constexpr WORD drawTransient = 0x0001; // do not update cached layouts
    static constexpr WORD drawNoLabels = 0x0004;  // no measurement labels or leaders
    static constexpr WORD drawNoNodes = 0x0008;   // no node squares on the focused item
    static constexpr WORD drawOwnLabel = 0x0010;  // a measurement drawing its own label

    // Hit codes besides node numbers (k > 0) and a miss (0).
    static constexpr int hitBody = -1;
    static constexpr int hitLabel = -2;
    static constexpr int hitWhole = -3;

    CGraphicItem();
    ~CGraphicItem() override;
    CGraphicItem(const CGraphicItem&) = delete;
    CGraphicItem& operator=(const CGraphicItem&) = delete;

    void Serialize(CArchive& ar) override;

    virtual void SetFocus(int focus) { m_nFocus = focus; }
    virtual int HasFocus() { return m_nFocus; }
    virtual WORD GetClass() { return m_wClass; }
    virtual void SetClass(WORD cls) { m_wClass = cls; }
    virtual DWORD GetColor() { return m_crColor; }
    virtual void SetColor(DWORD colour) { m_crColor = colour; }
    virtual void SetDrag(int drag) { m_bDrag = drag; }
    virtual int GetGap() { return m_nGap; }
    virtual void SetGap(int gap) {
        m_nGap = gap;
        NodesChanged();
    }
    // The 1-based number of the first node within the pick tolerance of point, or 0.
    virtual int PntInNode(CVector* point, double zoom);
    // Draws the item at the view's zoom: an open polyline through the nodes, and the node
    // squares when focused. types are the drawing options (drawTransient …); flags and extra
    // serve the text kinds.
    virtual void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra);
    // k > 0: node k; -1: the body; 0: a miss (kinds add -2 for their labels).
    virtual int HitTest(CVector* point, double zoom);
    // Integer image coordinates, right and bottom exclusive; inflate adds the gap.
    virtual CRect GetBoundsRect(int inflate);
    virtual CVector GetCenterPoint();
    // node: -1 moves every node, k > 0 only node k.
    virtual void Move(double dx, double dy, int node);
    // Radians, positive counter-clockwise on screen; a null centre means the item's centre.
    virtual void Rotate(double angle, CVector* centre);
    virtual void Scale(double sx, double sy, CVector* centre);
    virtual void SetStart(CVector* point);
    virtual void SetEnd(CVector* point, int add);
    virtual void SetFontSize(int size);
    virtual int GetFontSize();
    // Shows the item's property sheet (colour, then line width) with parent as its parent;
    // applies the values and answers 1 on OK, answers 0 and changes nothing on Cancel.
    virtual int Properties(CWnd* parent, LONG flags);
    virtual void CheckNodeArray();
    virtual int AcceptMoreNodes();
    virtual void SetMagnification(double mx, double my);
    // The user changed the unit system; measurements reformat their values.
    virtual void OnRegionalSettingsChanged(CRegionalSettings& settings);
    virtual void SetResolution(double rx, double ry);
    // Mirrors the item about the vertical line x = axis.
    virtual void FlipHorizontal(LONG axis);
    virtual void SetCalibrated(int calibrated);

    // Called by the window while the mouse pointer is over the item; items set no cursor.
    virtual void SetOwnCursor();

    // Hit bounds: a rectangle (right and bottom exclusive) outside which HitTest answers 0
    // at every zoom, so that the item list can pass the item by without asking it. FALSE
    // means "unknown": the list then always calls HitTest. The base answers FALSE.
    //
    // The rule for kinds: answer TRUE only where the rectangle is exact for this very class.
    // CGraphicLine and CGrPolyLine answer it for themselves alone (they test their runtime
    // class), so a kind derived from them, whose labels, value texts or graphs may be hit far
    // from its nodes, answers FALSE until it overrides this itself. A kind that answers TRUE
    // must call NodesChanged() after every change of what its hit test reads (nodes, corners,
    // gap), because the list caches the rectangles until NodesEpoch() moves on.
    virtual BOOL GetHitBounds(CRect* bounds);
    // Moves on whenever any item's nodes or gap change through the base operations.
    static std::uint64_t NodesEpoch();

    // The 0-based index of the first segment whose line hit test finds point on its body,
    // or -1.
    int PntInNodeLines(CVector* point, double zoom);
    // Outlines this item (a measurement's label) with a margin, in the selected pen, and
    // draws a leader from anchor to the nearest corner; returns the frame in image
    // coordinates.
    CRect DrawConnection(CDC* dc, CVector* anchor, double zoom);
    // Load the user's default colour and line width from the per-user settings.
    void GetDefaultColor();
    void GetDefaultWidth();
    // A copy of node index (0-based).
    CVector GetNode(int index);

    // Read-only views for hosts and tools.
    int GetFormatVersion() const { return m_nVersion; }
    double GetLineWidth() const { return m_dLineWidth; }
    void SetLineWidth(double width) { m_dLineWidth = width; }
    int GetNodeCount() const { return m_nNodeCount; }
    int GetDrag() const { return m_bDrag; }
    int GetPenStyle() const { return m_nPenStyle; }

protected:
    // Two strokes ending at tip, opening halfAngle degrees either side of the direction
    // angle (radians, as CVector::Angle measures it); length in screen pixels.
    virtual void DrawArrowHead(CDC* dc, CVector* tip, double angle, double zoom, int halfAngle,
                               int length);
    // Make the item pen (solid, or dotted) for this zoom, select it and return the pen that
    // was selected before, for the caller to select back.
    virtual CPen* CreatePen(CDC* dc, double zoom);
    virtual CPen* CreateDotPen(CDC* dc);
    // Paints the node squares: all of them for node 0, else node number node.
    virtual void HiliteNodes(CDC* dc, double zoom, WORD types, int node);

    // Tells the item lists' hit caches that hit bounds may have changed.
    static void NodesChanged();
    // The hit bounds that the node squares (at most twice the gap about each node) give,
    // united with the base body test's rectangle when withBaseBody is set. FALSE when the
    // gap is negative or a node lies so far out that the rectangles would wrap around.
    BOOL NodeHitBounds(CRect* bounds, bool withBaseBody);

    // Writes value when storing, reads it otherwise; a 32-bit integer.
    static void SerializeInt(int& value, CArchive& ar);
    // The device point of an image point at this zoom, rounded half away from zero; at zoom
    // exactly 1.0 the point is rounded as it is.
    static POINT ToDevice(const CVector& point, double zoom);

    int m_nVersion = 2;
    int m_nFocus = 0;
    WORD m_wClass = classDrawing;
    COLORREF m_crColor = RGB(0, 255, 0);
    double m_dLineWidth = 1.0;
    int m_nNodeHalfSize = 3;
    int m_nGap = 5;
    CArray<CVector, CVector&> m_aNodes;
    CVector* m_pNodes = nullptr;
    int m_nNodeCount = 0;
    int m_bDrag = 0;
    int m_nPenStyle = 0;
    int m_nLastHitHandle = 0;
    CPen m_pen; // made afresh for every drawing

    // The pick tolerance in image pixels that gap screen pixels make at this zoom: at least
    // one pixel and at most twice the gap.
    int Tolerance(double zoom) const;
};

} // namespace vellum
