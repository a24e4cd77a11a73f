#pragma once
// CGrPolyDist: a length measured along a polyline over the image. It draws the polyline with
// an arrowhead at each end and a value label that starts at the last node, can be dragged on
// its own and stays joined to the last node by a dotted leader ending at the nearest corner of
// a dotted frame around the label. The value is in the user's unit system once the pixel
// resolution is known in both axes, otherwise a whole number of pixels. The item can also
// calibrate the resolution from a length the user types.
//
// A resolution counts only when it is a finite number above zero in both axes; a magnification
// that is not a finite number above zero counts as 1.0. A length that is not a finite number
// (nodes at infinity) shows no text and reads as 0.0.

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/platform/String.h>

#include <memory>

namespace vellum {

class CIntlMeasurement;
class CRegionalSettings;

// The value label of a distance. It lives inside its distance and is stored with its base's
// body; it owns the measurement object that formats the value in the user's units.
class CGrDistLabel : public CGraphicTextLine {
public:
    CGrDistLabel();
    ~CGrDistLabel() override;

    // Makes the measurement object on these settings if there is none yet, then shows its
    // current value.
    void OnRegionalSettingsChanged(CRegionalSettings& settings) override;
    // Null until the label is given regional settings.
    CIntlMeasurement* GetMeasurement() const { return m_pMeasurement.get(); }
    void CreateMeasurement(CRegionalSettings& settings);

private:
    std::unique_ptr<CIntlMeasurement> m_pMeasurement;
};

class CGrPolyDist : public CGrPolyLine {
    DECLARE_SERIAL(CGrPolyDist)
public:
    // For the archive: the label gets its measurement object with the regional settings.
    CGrPolyDist();
    // For a new distance drawn in a list with these settings.
    explicit CGrPolyDist(CRegionalSettings& settings);
    ~CGrPolyDist() override;

    void Serialize(CArchive& ar) override;
    void SetFocus(int focus) override;
    void SetColor(DWORD colour) override;
    void SetDrag(int drag) override;
    void Draw(CDC* dc, double zoom, WORD types, LONG flags, double extra) override;
    // -2: the label; k > 0: node k; -1: a segment; 0: a miss.
    int HitTest(CVector* point, double zoom) override;
    CRect GetBoundsRect(int inflate) override;
    // -2 moves the label alone; -1 the nodes without the label; k > 0 node k, and the value
    // follows at once.
    void Move(double dx, double dy, int node) override;
    // Only about a given centre; a null centre changes nothing.
    void Rotate(double angle, CVector* centre) override;
    void SetStart(CVector* point) override;
    void SetEnd(CVector* point, int add) override;
    // Line width, colour and the label's font.
    int Properties(CWnd* parent, LONG flags) override;
    void SetMagnification(double mx, double my) override;
    void OnRegionalSettingsChanged(CRegionalSettings& settings) override;
    void SetResolution(double rx, double ry) override;
    // The calibrated state follows from the resolution alone.
    void SetCalibrated(int calibrated) override;

    void GetResolution(double* rx, double* ry) const;
    void GetMagnification(double* mx, double* my) const;
    // Millimetres when calibrated, else pixels.
    double GetValue();
    int IsCalibrated() const;
    CString GetDistanceStr() const;
    // The value of text in metres as the label's measurement object reads it; 0.0 when the
    // label has none or the text is not a length.
    double SetStringValue(CString text);
    // Asks the user for the true length and sets the resolution from it in the chosen axes:
    // 1 when confirmed, 0 when cancelled. A distance of no length, or one whose label has no
    // measurement object yet, cannot be calibrated: 0 without asking.
    int Calibrate();

    CGrDistLabel& GetLabel() { return m_label; }
    CRect GetLabelFrame() const { return m_rcLabelFrame; }

protected:
    int m_nDistTag = 1;
    CGrDistLabel m_label;
    double m_dResolutionX = 0.0;
    double m_dResolutionY = 0.0;
    double m_dMagnificationX = 1.0;
    double m_dMagnificationY = 1.0;
    CRect m_rcLabelFrame{0, 0, 0, 0};

private:
    void PlaceLabel();
    // 1 and the length in millimetres when calibrated, else 0 and the length in pixels.
    int GetMMLength(double* length);
    void UpdateValue();
};

} // namespace vellum
