#pragma once
// CGraphicSymbol: a reusable drawing placed on an image at its real size. The contained items
// keep their shapes in the symbol's own coordinates (the natural rectangle starts at (0, 0)
// once normalized); at every draw each item is scaled to the symbol's size in millimetres on
// this image, turned, moved to the frame's first corner, drawn and put back. The four corners
// of the rectangle base are the placed frame; their midpoint is the symbol's position.
//
// Whatever changes placement, rotation, flip, resolution or magnification sets the update
// flag, and the next Draw recomputes the scales and the frame about the frame's centre.

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/platform/String.h>

namespace vellum {

class CGraphicSymbol : public CGraphicRect {
    DECLARE_SERIAL(CGraphicSymbol)
public:
    // The layout that Serialize writes; format 1 is still read.
    static constexpr int symbolFormat = 2;

    CGraphicSymbol();
    // Deletes every contained item.
    ~CGraphicSymbol() override;

    void Serialize(CArchive& ar) override;
    // The symbol's colour and that of every contained item.
    void SetColor(DWORD colour) override;
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // Always the whole symbol, whatever node; nothing while dragged and frozen.
    void Move(double dx, double dy, int node) override;
    // Turns the frame about centre and adds to the symbol's angle; nothing while dragged
    // and frozen.
    void Rotate(double angle, CVector* centre) override;
    void SetStart(CVector* point) override;
    void SetEnd(CVector* point, int add) override;
    // The general page (name, info, "Congela simbolo") and the colour page.
    int Properties(CWnd* parent, LONG flags) override;
    void SetMagnification(double mx, double my) override;
    void SetResolution(double rx, double ry) override;
    void FlipHorizontal(LONG axis) override;
    void SetCalibrated(int calibrated) override;

    // A null argument leaves the text as it is.
    void SetName(const char* name);
    const char* GetName() const { return m_strName; }
    void SetInfo(const char* info);
    const char* GetInfo() const { return m_strInfo; }
    // The real size in millimetres.
    void SetSize(double width, double height);
    double Width() const { return m_dWidth; }
    double Height() const { return m_dHeight; }

    // Appends the item, which the symbol then owns; 0 when memory ran out.
    int AddItem(CGraphicItem* item);
    // Takes the first occurrence out without deleting it; 1 if found.
    int RemoveItem(CGraphicItem* item);
    // Takes every item out without deleting any: the caller has them.
    void RemoveAllItems();
    // Hands every item, head to tail, to list->AddItem(1, item); the symbol keeps them too.
    // 0 at the first failure.
    int DumpItems(CGraphicItemList* list);
    CGrItemList& GetItems() { return m_Items; }

    // Moves the items so that their common bounds start at (0, 0) and records the bounds as
    // the natural rectangle.
    void Normalize();
    // The size in millimetres that the items' extent has at this resolution (pixels per
    // millimetre); infinite for a zero resolution.
    void Resize(double resolutionX, double resolutionY);
    // The definition dialog (name, info, width and height in millimetres); 1 on OK.
    int SymbolDefDlg();

    CRect GetNaturalRect() const { return m_rcNatural; }
    double GetAngle() const { return m_dAngle; }
    double GetHorizontalScale() const { return m_dHorizontalScale; }
    double GetVerticalScale() const { return m_dVerticalScale; }
    int IsFrozen() const { return m_bFrozen; }
    void SetFrozen(int frozen) { m_bFrozen = frozen; }
    int IsFlipped() const { return m_bFlipped; }
    int IsUpdatePending() const { return m_bUpdatePending; }
    int GetSymbolFormat() const { return m_nSymbolFormat; }

private:
    // The union of the items' bounds; empty bounds are left out.
    CRect BoundingRect();
    // The frame recomputed about its centre at the current size and angle.
    void UpdateNodes();
    // The scales from the items' own size to the size in millimetres on this image; kept
    // while a resolution or magnification is zero.
    void Rescale();
    void LoadTail(CArchive& ar);

    int m_nSymbolFormat = symbolFormat;
    CGrItemList m_Items;
    CRect m_rcNatural;
    CString m_strName;
    CString m_strInfo;
    double m_dWidth = 0.0;
    double m_dHeight = 0.0;
    double m_dResolutionX = 0.0;
    double m_dResolutionY = 0.0;
    double m_dMagnificationX = 1.0;
    double m_dMagnificationY = 1.0;
    double m_dAngle = 0.0;
    double m_dVerticalScale = 0.0;
    double m_dHorizontalScale = 0.0;
    int m_bFrozen = 0;
    int m_bCalibrated = 0;
    int m_bFlipped = 0;
    int m_bUpdatePending = 0;
};

} // namespace vellum
