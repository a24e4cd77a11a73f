#pragma once
// CGrDensityLine: a line that shows the grey levels of the image along it. It owns the
// histogram gathered along the segment and the profile graph (CDensityProfile), a box that
// the user moves apart from the line, and draws a dotted connector from a chosen point of
// the line to the matching point of the curve. Until the host gives it the image with Init
// (or the list does, through BitmapForItems) only the line is drawn.
//
// Hit code -2 is the graph; moving with -2 moves or resizes the graph as its own hit test
// decided, -3 moves the whole graph, anything else moves the line alone.

#include <vellum/Graphics/BitmapUser.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/density/DensityProfile.h>
#include <vellum/density/Histogram.h>

namespace vellum {

class CGrDensityLine : public CGraphicLine, public CBitmapUser {
    DECLARE_SERIAL(CGrDensityLine)
public:
    // A graph box drawn with the line sits at the line's end and has this size.
    static constexpr double kNewProfileWidth = 400.0;
    static constexpr double kNewProfileHeight = 200.0;

    CGrDensityLine();
    ~CGrDensityLine() override;

    // Gathers along the segment; with resize the graph becomes a third of the image in each
    // direction. The item is initialised afterwards, whatever the result.
    int Init(pBITMAPHANDLE bitmap, int resize);
    // Gathers again (the pens kept); the item's initialised state does not change.
    int Update(pBITMAPHANDLE bitmap);
    CHistogram* GetHistogram() { return &m_histogram; }
    CDensityProfile* GetProfile() { return &m_profile; }
    POINT GetStartPoint() const { return m_aEnds[0]; }
    POINT GetEndPoint() const { return m_aEnds[1]; }
    int IsInitialised() const { return m_bInitialised; }

    // Init(bitmap, 0).
    int OnBitmapForItems(struct_LEAD_Bitmap* bitmap) override;

    void SetColor(DWORD colour) override;
    void SetDrag(int drag) override;
    void SetFocus(int focus) override;
    int HitTest(CVector* point, double zoom) override;
    void SetStart(CVector* point) override;
    void SetEnd(CVector* point, int add) override;
    CRect GetBoundsRect(int inflate) override;
    CVector GetCenterPoint() override;
    void Move(double dx, double dy, int node) override;
    void Rotate(double angle, CVector* centre) override;
    void FlipHorizontal(LONG axis) override;
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // Profile scale, colour, line width and font; 1 on OK, 0 when cancelled.
    int Properties(CWnd* parent, LONG flags) override;
    // The line's fields, the reserved integer and the graph without its object tag; the
    // histogram is not stored.
    void Serialize(CArchive& ar) override;

private:
    void SetProfilePosition();

    int m_nDensityTag = 1; // stored, not otherwise used
    int m_bInitialised = 0;
    CHistogram m_histogram;
    CDensityProfile m_profile;
    int m_nProfileHit = 0;
};

} // namespace vellum
