// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EllipseShape.h"

#include <QPainter>

namespace arbolink {

EllipseShape::EllipseShape(const QPen& pen, const QBrush& brush, QWidget* parent)
    : QWidget(parent), pen_(pen), brush_(brush) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void EllipseShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Multiplying is the mask pen's effect without its jagged edges: white below takes the
    // pen's colour, dark text below stays dark.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setPen(pen_);
    painter.setBrush(brush_);
    const qreal inset = pen_.widthF() / 2;
    painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

} // namespace arbolink
