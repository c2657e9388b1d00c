// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Gauge.h"

#include <QPainter>
#include <algorithm>

namespace arbolink {

namespace {

// Draws layer into picture by bitwise XOR of the pixels.
void XorInto(QImage& picture, const QImage& layer) {
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, layer);
}

// A black image of the given size in pixels of the screen's scale, so that a scaled screen
// gets the bar's edges and its text drawn sharp, not enlarged.
QImage BlackImage(const QSize& size, qreal scale) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    return image;
}

} // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    // The gauge covers every pixel it owns: the parent need not paint underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void TGauge::SetProgress(int value) {
    value = std::clamp(value, kMinValue, kMaxValue);
    if (value == progress_) {
        return;
    }
    const int before = PercentDone();
    progress_ = value;
    if (PercentDone() != before) {
        repaint();
    }
}

int TGauge::PercentDone() const {
    const int range = kMaxValue - kMinValue;
    if (range == 0) {
        return 0;
    }
    return static_cast<int>(static_cast<double>(progress_ - kMinValue) * 100.0 / range);
}

void TGauge::SetForeColor(const QColor& color) {
    foreColor_ = color;
    update();
}

void TGauge::SetBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

QImage TGauge::Picture() const {
    const qreal scale = devicePixelRatioF();
    QImage picture = BlackImage(size(), scale);
    // The single border: one black pixel left around the paint rectangle. Width and height
    // are counted one more than the inset size, as the bar and the text are placed by them.
    const QRect paintRect = rect().adjusted(1, 1, -1, -1);
    const int w = paintRect.width() + 1;
    const int h = paintRect.height() + 1;

    QImage bar = BlackImage(size(), scale);
    {
        QPainter painter(&bar);
        painter.fillRect(paintRect, backColor_);
        const int fill = std::min(static_cast<int>(w * (PercentDone() * 0.01)), w);
        if (fill >= 1) {
            // From the paint rectangle's corner to the absolute coordinates fill and h.
            painter.fillRect(
                QRect(QPoint(paintRect.left(), paintRect.top()), QPoint(fill - 1, h - 1)),
                foreColor_);
        }
    }
    XorInto(picture, bar);

    QImage text = BlackImage(size(), scale);
    {
        QPainter painter(&text);
        // Smoothed as any other text. Over the pure colours of the bar and the background
        // the XOR of a grey edge pixel is the mix of the colour and its inverse, so the
        // smoothing survives it.
        painter.setFont(font());
        painter.setPen(Qt::white);
        painter.setClipRect(paintRect);
        const QString caption = QStringLiteral("%1%").arg(PercentDone());
        const QFontMetrics metrics(font());
        const int x = (w - metrics.horizontalAdvance(caption)) / 2;
        const int y = (h - metrics.height()) / 2;
        painter.drawText(x, y + metrics.ascent(), caption);
    }
    XorInto(picture, text);
    return picture;
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

} // namespace arbolink
