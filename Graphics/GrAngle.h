#pragma once
// CGrAngle: the angle between two lines drawn over the image. Four nodes make two segments,
// node 1 to node 2 and node 3 to node 4; when the second line starts where the first ended,
// nodes 2 and 3 coincide, the lines share their vertex and stay joined under node moves. A
// label shows the angle between 0 and 180 degrees and its reflex complement, in physical
// units when the pixel resolution is known, joined to node 4 by a dotted leader.
//
// An arm without a direction (a zero-length or unbounded line) has no angle: the label then
// reads "?".

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicTextLine.h>

namespace vellum {

// The angle's label: it keeps the two arms and the scale that turns them into millimetres,
// and writes the angle as its text. It lives inside its angle and is stored with its base's
// body.
class CGrAngleLabel : public CGraphicTextLine {
public:
    CGrAngleLabel();
    ~CGrAngleLabel() override;

    // Each only stores the pair; the next SetArms uses it.
    void SetResolution(double rx, double ry) override;
    void SetMagnification(double mx, double my) override;
    // The arms from the lines' inner ends outwards, in pixels; scaled per axis to millimetres
    // when the resolution is known in both axes. Rebuilds the text.
    void SetArms(CVector* a, CVector* b);

    CVector GetArm(int index) const { return index == 0 ? m_vArm1 : m_vArm2; }
    // The arms are in millimetres: the resolution is known in both axes.
    int IsCalibrated() const;

private:
    void UpdateText();

    CVector m_vArm1;
    CVector m_vArm2;
    double m_dResolutionX = 0.0;
    double m_dResolutionY = 0.0;
    double m_dMagnificationX = 1.0;
    double m_dMagnificationY = 1.0;
};

class CGrAngle : public CGrPolyLine {
    DECLARE_SERIAL(CGrAngle)
public:
    static constexpr int kNodes = 4;

    CGrAngle();
    ~CGrAngle() override;

    void Serialize(CArchive& ar) override;
    void SetFocus(int focus) override;
    void SetColor(DWORD colour) override;
    void SetDrag(int drag) override;
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // -2: the label; k > 0: node k; -1: a segment, remembered for a following Move(-1).
    int HitTest(CVector* point, double zoom) override;
    CRect GetBoundsRect(int inflate) override;
    // -2: the label; -3: all nodes; -1: the nodes of the segment last hit; k > 0: node k, with
    // its partner when the vertex is shared.
    void Move(double dx, double dy, int node) override;
    void Rotate(double angle, CVector* centre) override;
    void SetStart(CVector* point) override;
    void SetEnd(CVector* point, int add) override;
    int Properties(CWnd* parent, LONG flags) override;
    // The node count counts only the nodes placed so far.
    void CheckNodeArray() override;
    // 1 until four nodes are placed.
    int AcceptMoreNodes() override;
    void SetMagnification(double mx, double my) override;
    void SetResolution(double rx, double ry) override;

    // Nodes 2 and 3 are placed and equal.
    bool HasSharedVertex() const;
    // Recomputes the label from the nodes (with four of them).
    void UpdateValue();
    CString GetAngleStr() const { return m_label.Text(); }
    // The angle between 0 and 180 degrees as the label shows it; NaN without an angle.
    double GetDegrees();

    CGrAngleLabel& GetLabel() { return m_label; }
    CRect GetLabelFrame() const { return m_rcLabelFrame; }
    int GetHitSegment() const { return m_nHitSegment; }

protected:
    int m_nAngleTag = 1;
    CGrAngleLabel m_label;
    CRect m_rcLabelFrame{0, 0, 0, 0};
    int m_nHitSegment = -1;

private:
    void MoveNode(double dx, double dy, int node);
};

} // namespace vellum
