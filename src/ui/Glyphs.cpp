// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace arbolink {

namespace {

const QColor kFolderFill(240, 200, 80);
const QColor kFolderEdge(140, 100, 20);
const QColor kDiskFill(70, 90, 160);
const QColor kArrow(200, 40, 40);

QIcon Painted(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void Folder(QPainter& p, const QRectF& r) {
    p.setPen(kFolderEdge);
    p.setBrush(kFolderFill);
    p.drawRect(QRectF(r.left(), r.top(), r.width() * 0.4, r.height() * 0.2));
    p.drawRect(QRectF(r.left(), r.top() + r.height() * 0.15, r.width(), r.height() * 0.85));
}

// A removable disk: a square case with a metal shutter and a label.
void Disk(QPainter& p, const QRectF& r) {
    p.setPen(Qt::black);
    p.setBrush(kDiskFill);
    p.drawRect(r);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.5, r.height() * 0.35));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.55, r.width() * 0.7,
                      r.height() * 0.45));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(kArrow, 2));
    p.drawLine(from, to);
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    QPainterPath head;
    head.moveTo(to + along * 2);
    head.lineTo(to - along * 4 + across * 4);
    head.lineTo(to - along * 4 - across * 4);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kArrow);
    p.drawPath(head);
}

} // namespace

QIcon ProgramIcon() {
    return Painted(32, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(13, 16, 6, 14));
        p.setBrush(QColor(40, 150, 60));
        p.drawEllipse(QRectF(4, 2, 24, 18));
        p.setBrush(QColor(70, 180, 80));
        p.drawEllipse(QRectF(9, 5, 12, 9));
    });
}

QIcon DivideGlyph() {
    return Painted(24, [](QPainter& p) {
        Folder(p, QRectF(0.5, 1.5, 10, 8));
        Arrow(p, QPointF(10, 6), QPointF(14, 6));
        Arrow(p, QPointF(7, 11), QPointF(10, 15));
        Disk(p, QRectF(15.5, 1.5, 8, 8));
        Disk(p, QRectF(15.5, 14.5, 8, 8));
        Disk(p, QRectF(2.5, 15.5, 8, 8));
    });
}

QIcon RestoreGlyph() {
    return Painted(16, [](QPainter& p) {
        Disk(p, QRectF(0.5, 0.5, 6, 6));
        Disk(p, QRectF(0.5, 9.5, 6, 6));
        Folder(p, QRectF(9.5, 4.5, 6, 7));
        Arrow(p, QPointF(6, 8), QPointF(8, 8));
    });
}

QIcon ChooserGlyph() {
    return Painted(16, [](QPainter& p) {
        Folder(p, QRectF(1.5, 3.5, 13, 10));
        p.setPen(kFolderEdge);
        p.setBrush(QColor(250, 225, 130));
        QPainterPath flap;
        flap.moveTo(4, 7.5);
        flap.lineTo(15.5, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
    });
}

} // namespace arbolink
