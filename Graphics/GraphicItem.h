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
#include <vellum/platform/Object.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/Types.h>

namespace vellum {

class CArchive;

class CGraphicItem : public CObject {
    DECLARE_SERIAL(CGraphicItem)
public:
    // Classes that the window gives to the items it creates; one bit each.
    static constexpr WORD classSymbol = 0x0001;
    static constexpr WORD classDensity = 0x0004;
    static constexpr WORD classMeasure = 0x0008;
    static constexpr WORD classText = 0x0010;
    static constexpr WORD classDrawing = 0x0020;

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
    virtual void SetGap(int gap) { m_nGap = gap; }
    // The 1-based number of the first node within the pick tolerance of point, or 0.
    virtual int PntInNode(CVector* point, double zoom);
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
    virtual void CheckNodeArray();
    virtual int AcceptMoreNodes();
    virtual void SetMagnification(double mx, double my);
    virtual void SetResolution(double rx, double ry);
    // Mirrors the item about the vertical line x = axis.
    virtual void FlipHorizontal(LONG axis);
    virtual void SetCalibrated(int calibrated);

    // The 0-based index of the first segment whose line hit test finds point on its body,
    // or -1.
    int PntInNodeLines(CVector* point, double zoom);
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
    // Writes value when storing, reads it otherwise; a 32-bit integer.
    static void SerializeInt(int& value, CArchive& ar);

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

    // The pick tolerance in image pixels that gap screen pixels make at this zoom: at least
    // one pixel and at most twice the gap.
    int Tolerance(double zoom) const;
};

} // namespace vellum
