// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/StaticText.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace arbolink {

TStaticText::TStaticText(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void TStaticText::SetText(const QString& text) {
    text_ = text;
    update();
}

void TStaticText::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    painter.setClipRect(area);
    const int lineStep = QFontInfo(font()).pixelSize();
    int top = area.top();
    for (const QString& paragraph : text_.split(u'\n')) {
        QTextLayout layout(paragraph, font());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, top - area.top()));
            top += lineStep;
        }
        layout.endLayout();
        layout.draw(&painter, area.topLeft());
    }
}

} // namespace arbolink
