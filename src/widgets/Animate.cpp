// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Animate.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace arbolink {

namespace {

constexpr int kFrameMilliseconds = 80;

const QColor kFolderFill(240, 200, 80);
const QColor kFolderEdge(140, 100, 20);

// A closed folder with its tab, its top-left corner at (x, y).
void DrawFolder(QPainter& painter, int x, int y, int width, int height) {
    painter.setPen(kFolderEdge);
    painter.setBrush(kFolderFill);
    painter.drawRect(x, y, width / 3, 4);
    painter.drawRect(x, y + 4, width, height - 4);
}

// A sheet of paper with a few lines of writing, centred on (cx, cy).
void DrawSheet(QPainter& painter, double cx, double cy) {
    const QRectF sheet(cx - 7, cy - 9, 14, 18);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(Qt::gray);
    for (int line = 0; line < 4; ++line) {
        const double y = sheet.top() + 4 + line * 3.5;
        painter.drawLine(QPointF(sheet.left() + 3, y), QPointF(sheet.right() - 3, y));
    }
}

// A magnifying glass whose lens is centred on (cx, cy).
void DrawGlass(QPainter& painter, double cx, double cy) {
    painter.setPen(QPen(QColor(60, 60, 60), 3));
    painter.drawLine(QPointF(cx + 7, cy + 7), QPointF(cx + 15, cy + 15));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(200, 230, 255, 180));
    painter.drawEllipse(QPointF(cx, cy), 9, 9);
}

} // namespace

TAnimate::TAnimate(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(kFrameMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &TAnimate::NextFrame);
    resize(FrameSize(clip_));
}

QSize TAnimate::FrameSize(CommonAvi clip) {
    return clip == CommonAvi::FindFolder ? QSize(80, 60) : QSize(272, 60);
}

void TAnimate::SetClip(CommonAvi clip) {
    clip_ = clip;
    frame_ = 0;
    resize(FrameSize(clip));
    update();
}

void TAnimate::SetActive(bool playing) {
    if (playing) {
        timer_.start();
    } else {
        timer_.stop();
    }
}

void TAnimate::NextFrame() {
    frame_ = (frame_ + 1) % kFrameCount;
    update();
}

void TAnimate::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double phase = static_cast<double>(frame_) / kFrameCount;
    if (clip_ == CommonAvi::FindFolder) {
        DrawFolder(painter, 14, 18, 44, 32);
        const double angle = 2 * std::numbers::pi * phase;
        DrawGlass(painter, 36 + 12 * std::cos(angle), 32 + 8 * std::sin(angle));
        return;
    }
    const int w = width();
    DrawFolder(painter, 24, 22, 44, 32);
    DrawFolder(painter, w - 68, 22, 44, 32);
    // The sheet rises out of the left folder and drops into the right one.
    const double startX = 46;
    const double endX = w - 46;
    const double x = startX + (endX - startX) * phase;
    const double y = 34 - 26 * std::sin(std::numbers::pi * phase);
    DrawSheet(painter, x, y);
}

} // namespace arbolink
