#pragma once
// The image view: shows the grey picture at a zoom and hosts one CGraphicWnd. It is the
// window's parent: mouse events go to the window in view coordinates, a paint draws the
// picture and calls the window's Draw, and the window's exclusive-or rubber bands are drawn
// straight into the view's backing image through the Cairo backend, as `vellum replay` does.
//
// The backing image holds what the screen shows. What the window invalidates is repainted
// into it from scratch (background, picture, overlay) when the view is updated: at once after
// every mouse event, and otherwise at the next paint. Exclusive-or drawing between two updates
// stays in the backing image until a repaint covers it.

#include <vellum/platform/Rect.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/Wnd.h>

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

namespace vellum {
class CCairoDC;
class CGraphicWnd;
} // namespace vellum

namespace vellum::viewer {

class ImageView : public QWidget, public CWnd {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);
    ~ImageView() override;

    CGraphicWnd& Graphic() const { return *m_graphic; }

    // The picture to show: 8-bit grey, top row first, width * height bytes. The overlay stays.
    void SetPicture(std::vector<BYTE> grey, QSize size);
    const std::vector<BYTE>& Picture() const { return m_picture; }
    QSize ImageSize() const { return m_imageSize; }
    void SetZoom(double zoom);
    double Zoom() const { return m_zoom; }
    // The widget's pixels as last painted, rubber bands included.
    const QImage& Backing() const { return m_backing; }
    // Repaints the whole view from scratch.
    void Repaint();

    // The window's parent.
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) override;
    void Invalidate(BOOL erase = TRUE) override;
    void UpdateWindow() override;
    BOOL GetUpdateRect(RECT* rect, BOOL erase = FALSE) override;
    CDC* GetDC() override;
    int ReleaseDC(CDC* dc) override;
    void ClientToScreen(POINT* point) override;
    BOOL OnCommand(UINT id, UINT code) override;

    static constexpr COLORREF kBackground = RGB(48, 48, 52);
    static constexpr int kMaxSide = 32767;

signals:
    // The pointer is over image point (x, y); inside tells whether that is on the image.
    void pointerMoved(QPoint imagePoint, bool inside);
    // A mouse event or a command reached the window: the action, selection or list may have
    // changed.
    void overlayChanged();
    // The view was painted on screen.
    void painted();
    // The mouse wheel turned with Ctrl held: zoom in (true) or out.
    void zoomRequested(bool zoomIn);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Paints the area of the backing image afresh.
    void Render(const CRect& area);
    void AfterEvent();
    CRect Client() const;

    std::unique_ptr<CGraphicWnd> m_graphic;
    std::vector<BYTE> m_picture;
    QImage m_pictureImage; // the picture ready to paint
    QSize m_imageSize;
    double m_zoom = 1.0;
    QImage m_backing;
    CRect m_pending;
    std::unique_ptr<CCairoDC> m_dcOut;
};

} // namespace vellum::viewer
