#include "VectorActions.h"

#include <vellum/archive/ClassRegistry.h>
#include <vellum/window/GraphicWnd.h>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>

namespace vellum::viewer {

namespace {

using W = CGraphicWnd;

constexpr VectorAction kActions[] = {
    {W::actionSelect, "Select", nullptr, "S"},
    {W::actionRotate, "Rotate", nullptr, "R"},
    {W::actionDelete, "Delete", nullptr, "Shift+D"},
    {W::actionLine, "Line", "CGraphicLine", "L"},
    {W::actionPolyLine, "Polyline", "CGrPolyLine", "P"},
    {W::actionRectangle, "Rectangle", "CGraphicRect", "E"},
    {W::actionArc, "Arc", "CGraphicArc", "C"},
    {W::actionFreeDraw, "Freehand", "CGraphicFreeDraw", "F"},
    {W::actionText, "Text", "CGraphicText", "T"},
    {W::actionDistance, "Distance", "CGrPolyDist", "D"},
    {W::actionAngle, "Angle", "CGrAngle", "A"},
    {W::actionSymbol, "Symbol", "CGraphicSymbol", "Y"},
    {W::actionDensityLine, "Density line", "CGrDensityLine", "G"},
    {W::actionDensityArea, "Density area", "CGrDensityArea", "H"},
    {W::actionSelectionRect, "Selection", "CGraphicSelectionRect", "X"},
};

void Arrowhead(QPainter& painter, QPointF tip, QPointF from) {
    const QPointF direction = tip - from;
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF unit = direction / length;
    const QPointF normal(-unit.y(), unit.x());
    const QPointF points[] = {tip, tip - 6 * unit + 3.5 * normal, tip - 6 * unit - 3.5 * normal};
    painter.drawPolygon(points, 3);
}

void PaintIcon(QPainter& painter, int code) {
    const QColor ink(30, 30, 30);
    const QColor accent(0, 150, 60);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    switch (code) {
    case W::actionSelect: {
        const QPointF arrow[] = {{9, 4}, {9, 25}, {14, 20}, {18, 28}, {21, 27}, {17, 19}, {24, 19}};
        painter.setBrush(Qt::white);
        painter.drawPolygon(arrow, 7);
        break;
    }
    case W::actionRotate:
        painter.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 270 * 16);
        painter.setBrush(ink);
        Arrowhead(painter, QPointF(21, 7.5), QPointF(16, 5.5));
        break;
    case W::actionDelete:
        painter.setPen(QPen(QColor(200, 30, 30), 3.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(8, 8), QPointF(24, 24));
        painter.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case W::actionLine:
        painter.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6, 26), QPointF(26, 6));
        painter.setBrush(ink);
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(4, 24, 4, 4));
        painter.drawRect(QRectF(24, 4, 4, 4));
        break;
    case W::actionPolyLine: {
        const QPointF nodes[] = {{4, 24}, {11, 9}, {19, 21}, {28, 6}};
        painter.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(nodes, 4);
        painter.setBrush(ink);
        painter.setPen(Qt::NoPen);
        for (const QPointF& node : nodes)
            painter.drawRect(QRectF(node.x() - 2, node.y() - 2, 4, 4));
        break;
    }
    case W::actionRectangle:
        painter.setPen(QPen(accent, 2.5));
        painter.drawRect(QRectF(5, 8, 22, 16));
        break;
    case W::actionArc:
        painter.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(5, 8, 22, 28), 20 * 16, 140 * 16);
        break;
    case W::actionFreeDraw: {
        QPainterPath path(QPointF(4, 20));
        path.cubicTo(QPointF(9, 2), QPointF(14, 30), QPointF(19, 14));
        path.cubicTo(QPointF(22, 6), QPointF(26, 12), QPointF(28, 22));
        painter.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(path);
        break;
    }
    case W::actionText: {
        QFont font = painter.font();
        font.setPixelSize(24);
        font.setBold(true);
        font.setFamily(QStringLiteral("DejaVu Serif"));
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("T"));
        break;
    }
    case W::actionDistance:
        painter.setBrush(ink);
        painter.drawLine(QPointF(6, 22), QPointF(26, 22));
        Arrowhead(painter, QPointF(5, 22), QPointF(26, 22));
        Arrowhead(painter, QPointF(27, 22), QPointF(6, 22));
        painter.setPen(QPen(ink, 1.5));
        painter.drawLine(QPointF(5, 14), QPointF(5, 28));
        painter.drawLine(QPointF(27, 14), QPointF(27, 28));
        painter.drawLine(QPointF(10, 8), QPointF(22, 8));
        break;
    case W::actionAngle:
        painter.drawLine(QPointF(6, 26), QPointF(28, 26));
        painter.drawLine(QPointF(6, 26), QPointF(22, 6));
        painter.setPen(QPen(accent, 2.0));
        painter.drawArc(QRectF(-6, 14, 24, 24), 0, 52 * 16);
        break;
    case W::actionSymbol: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = i % 2 == 0 ? 13.0 : 5.5;
            star << QPointF(16 + radius * std::cos(angle), 17 + radius * std::sin(angle));
        }
        painter.setBrush(QColor(240, 190, 40));
        painter.drawPolygon(star);
        break;
    }
    case W::actionDensityLine: {
        painter.setPen(QPen(accent, 2.0));
        painter.drawLine(QPointF(4, 28), QPointF(28, 28));
        QPainterPath profile(QPointF(4, 22));
        profile.cubicTo(QPointF(10, 22), QPointF(12, 4), QPointF(16, 6));
        profile.cubicTo(QPointF(20, 8), QPointF(22, 20), QPointF(28, 18));
        painter.setPen(QPen(ink, 2.0));
        painter.drawPath(profile);
        break;
    }
    case W::actionDensityArea: {
        painter.setPen(QPen(accent, 2.0, Qt::DashLine));
        painter.drawRect(QRectF(3, 3, 26, 26));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        const std::array<int, 5> heights = {6, 12, 18, 10, 4};
        for (std::size_t i = 0; i < heights.size(); ++i)
            painter.drawRect(
                QRectF(7 + 4 * static_cast<double>(i), 26 - heights[i], 3, heights[i]));
        break;
    }
    case W::actionSelectionRect:
        painter.setPen(QPen(ink, 1.5, Qt::DashLine));
        painter.drawRect(QRectF(5, 5, 22, 22));
        painter.setPen(QPen(ink, 2.0));
        painter.drawLine(QPointF(2, 10), QPointF(10, 10));
        painter.drawLine(QPointF(10, 2), QPointF(10, 10));
        break;
    }
}

} // namespace

std::span<const VectorAction> VectorActions() {
    return kActions;
}

bool IsOffered(const VectorAction& action) {
    return action.itemClass == nullptr ||
           CClassRegistry::Instance().Find(action.itemClass) != nullptr;
}

QIcon VectorActionIcon(int code) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintIcon(painter, code);
    painter.end();
    return QIcon(pixmap);
}

} // namespace vellum::viewer
