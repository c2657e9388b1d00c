// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Bevel.h"

#include <QPainter>

namespace arbolink {

TBevel::TBevel(BevelStyle style, QWidget* parent) : QWidget(parent), style_(style) {
    // Only the line is drawn; the controls below show through the rest of the rectangle.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const bool lowered = style_ == BevelStyle::Lowered;
    painter.setPen(lowered ? shadow : highlight);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(lowered ? highlight : shadow);
    painter.drawLine(0, 1, width() - 1, 1);
}

} // namespace arbolink
