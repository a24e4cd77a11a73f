#include "ImageView.h"

#include <vellum/backends/cairo/CairoDC.h>
#include <vellum/window/GraphicWnd.h>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vellum::viewer {

ImageView::ImageView(QWidget* parent)
    : QWidget(parent), m_graphic(std::make_unique<CGraphicWnd>(this)) {
    // The window follows the pointer between clicks while it places nodes.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    resize(1, 1);
}

ImageView::~ImageView() {
    // The window draws and invalidates through this view while it lets go of its items.
    m_graphic.reset();
}

void ImageView::SetPicture(std::vector<BYTE> grey, QSize size) {
    m_picture = std::move(grey);
    m_imageSize = size;
    m_pictureImage = m_picture.empty() ? QImage()
                                       : QImage(m_picture.data(), size.width(), size.height(),
                                                size.width(), QImage::Format_Grayscale8)
                                             .convertToFormat(QImage::Format_RGB32);
    m_graphic->SetImageSize(CSize(size.width(), size.height()));
    SetZoom(m_zoom);
}

void ImageView::SetZoom(double zoom) {
    m_zoom = zoom;
    m_graphic->SetImageOrg(CPoint(0, 0));
    m_graphic->SetZoomFactor(zoom);
    // Whole view pixels over the image, within what a drawing context can cover.
    const auto side = [zoom](int pixels) {
        return std::clamp(static_cast<int>(std::ceil(pixels * zoom - 1e-9)), 1, kMaxSide);
    };
    const QSize shown(side(m_imageSize.width()), side(m_imageSize.height()));
    if (shown != size())
        resize(shown);
    else
        Repaint();
}

void ImageView::Repaint() {
    Invalidate(TRUE);
    UpdateWindow();
}

CRect ImageView::Client() const {
    return CRect(0, 0, m_backing.width(), m_backing.height());
}

void ImageView::InvalidateRect(const RECT* rect, BOOL) {
    CRect area = rect ? CRect(*rect) : Client();
    area.NormalizeRect();
    area &= Client();
    m_pending |= area;
    update(QRect(area.left, area.top, area.Width(), area.Height()));
}

void ImageView::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void ImageView::UpdateWindow() {
    if (m_pending.IsRectEmpty() || m_backing.isNull())
        return;
    const CRect area = m_pending;
    m_pending.SetRectEmpty();
    Render(area);
    update(QRect(area.left, area.top, area.Width(), area.Height()));
}

BOOL ImageView::GetUpdateRect(RECT* rect, BOOL) {
    if (rect)
        *rect = m_pending;
    return m_pending.IsRectEmpty() ? FALSE : TRUE;
}

CDC* ImageView::GetDC() {
    if (m_backing.isNull() || m_dcOut)
        return nullptr;
    m_dcOut = CCairoDC::CreateImageOver(m_backing.bits(), m_backing.width(), m_backing.height(),
                                        static_cast<int>(m_backing.bytesPerLine()));
    return m_dcOut.get();
}

int ImageView::ReleaseDC(CDC* dc) {
    if (!m_dcOut || dc != m_dcOut.get())
        return 0;
    m_dcOut.reset();
    update();
    return 1;
}

void ImageView::ClientToScreen(POINT* point) {
    const QPoint global = mapToGlobal(QPoint(point->x, point->y));
    point->x = global.x();
    point->y = global.y();
}

BOOL ImageView::OnCommand(UINT id, UINT) {
    if (id != CGraphicWnd::commandProperties)
        return FALSE;
    m_graphic->OnProperties();
    UpdateWindow();
    emit overlayChanged();
    return TRUE;
}

void ImageView::Render(const CRect& area) {
    {
        // The picture scales without smoothing: image pixel i covers view pixels from
        // i * zoom up to (i + 1) * zoom, as the Cairo backend draws it.
        QPainter painter(&m_backing);
        const QRect clip(area.left, area.top, area.Width(), area.Height());
        painter.setClipRect(clip);
        painter.fillRect(
            clip, QColor(GetRValue(kBackground), GetGValue(kBackground), GetBValue(kBackground)));
        if (!m_pictureImage.isNull())
            painter.drawImage(
                QRectF(0, 0, m_imageSize.width() * m_zoom, m_imageSize.height() * m_zoom),
                m_pictureImage);
    }
    // The overlay through a Cairo context over just this area of the backing image, which clips
    // the drawing to it; its window origin keeps the coordinates those of the whole view.
    BYTE* corner = m_backing.bits() +
                   static_cast<std::size_t>(area.top) * m_backing.bytesPerLine() +
                   static_cast<std::size_t>(area.left) * 4;
    const auto dc = CCairoDC::CreateImageOver(corner, area.Width(), area.Height(),
                                              static_cast<int>(m_backing.bytesPerLine()));
    dc->SetWindowOrg(area.left, area.top);
    m_graphic->Draw(dc.get(), 0, 0);
}

void ImageView::paintEvent(QPaintEvent* event) {
    UpdateWindow();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_backing, event->rect());
    emit painted();
}

void ImageView::resizeEvent(QResizeEvent*) {
    m_dcOut.reset();
    m_backing = QImage(size(), QImage::Format_RGB32);
    m_pending.SetRectEmpty();
    Repaint();
}

void ImageView::AfterEvent() {
    // What the window left invalid is painted before the next event, as a viewer's idle
    // time would.
    UpdateWindow();
    emit overlayChanged();
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    const CPoint point(event->position().toPoint().x(), event->position().toPoint().y());
    if (event->button() == Qt::LeftButton)
        m_graphic->LButtonDown(0, point);
    else if (event->button() == Qt::RightButton)
        m_graphic->RButtonDown(0, point);
    else
        return;
    AfterEvent();
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const CPoint point(at.x(), at.y());
    m_graphic->MouseMove(0, point);
    const CPoint image = m_graphic->ToImagePnt(point);
    emit pointerMoved(QPoint(image.x, image.y), m_graphic->IsInsideImage(point) != 0);
    UpdateWindow();
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    m_graphic->LButtonUp(0, CPoint(at.x(), at.y()));
    AfterEvent();
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports a double click in place of the second press, as the framework does.
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    m_graphic->LButtonDoubleClick(0, CPoint(at.x(), at.y()));
    AfterEvent();
}

void ImageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    emit zoomRequested(event->angleDelta().y() > 0);
    event->accept();
}

} // namespace vellum::viewer
