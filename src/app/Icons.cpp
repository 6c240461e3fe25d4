#include "app/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {
QIcon drawn(const std::function<void(QPainter &)> &draw) {
    QPixmap pixmap(36, 36);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);  // drawn on an 18-unit grid, kept sharp at twice the size
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void magnifier(QPainter &p, bool plus) {
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(2, 2, 10, 10));
    p.setPen(QPen(QColor(40, 40, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 11), QPointF(16, 16));
    p.setPen(QPen(QColor(0, 0, 160), 1.6));
    p.drawLine(QPointF(4.5, 7), QPointF(9.5, 7));
    if (plus)
        p.drawLine(QPointF(7, 4.5), QPointF(7, 9.5));
}

void label(QPainter &p, const QRectF &r, const QColor &fill) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 1.5, 1.5);
}
}  // namespace

namespace Icons {
QIcon zoomIn() {
    return drawn([](QPainter &p) { magnifier(p, true); });
}
QIcon zoomOut() {
    return drawn([](QPainter &p) { magnifier(p, false); });
}
QIcon print() {
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 1.5, 8, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 11, 8, 5.5));
        p.drawLine(QPointF(6.5, 13), QPointF(11.5, 13));
        p.drawLine(QPointF(6.5, 15), QPointF(11.5, 15));
    });
}
QIcon copyToNext() {
    return drawn([](QPainter &p) {
        label(p, QRectF(1.5, 3.5, 6, 11), QColor(255, 250, 205));
        label(p, QRectF(10.5, 3.5, 6, 11), Qt::white);
        p.setPen(QPen(QColor(0, 110, 0), 1.6));
        p.drawLine(QPointF(5, 9), QPointF(13, 9));
        p.drawLine(QPointF(11, 7), QPointF(13, 9));
        p.drawLine(QPointF(11, 11), QPointF(13, 9));
    });
}
QIcon copyToAll() {
    return drawn([](QPainter &p) {
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 2; ++col)
                label(p, QRectF(2.5 + col * 7, 1.5 + row * 5.5, 6, 4.5),
                      row == 0 && col == 0 ? QColor(255, 250, 205) : QColor(Qt::white));
    });
}
QIcon symbol() {
    // An omega drawn as a path: text would load a font on the way to the first window.
    return drawn([](QPainter &p) {
        QPainterPath omega;
        omega.moveTo(3, 15);
        omega.lineTo(7, 15);
        omega.lineTo(7, 13);
        omega.arcTo(QRectF(3, 2.5, 12, 12), 235, -290);
        omega.lineTo(11, 15);
        omega.lineTo(15, 15);
        p.setPen(QPen(QColor(128, 0, 0), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(omega);
    });
}
QIcon application() {
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(80, 80, 80), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 0.5, 13, 17));
        for (int row = 0; row < 4; ++row)
            label(p, QRectF(4, 2 + row * 4, 10, 3), row == 1 ? QColor(255, 230, 120) : QColor(235, 240, 255));
    });
}
}  // namespace Icons
