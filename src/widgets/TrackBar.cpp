// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

namespace arbolink {

namespace {

// The channel is a sunken strip of the width the handle's centre travels, plus a margin.
constexpr int kChannelHeight = 6;
constexpr int kChannelMargin = 2;

} // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TTrackBar::SetSelection(int start, int end) {
    selStart_ = start;
    selEnd_ = end;
    update();
}

// The style's own groove would fill the channel up to the handle and hide the selection, so
// the channel and its band are drawn here; ticks and handle come from the style.
void TTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);

    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int left = HandleCentre(minimum()) - kChannelMargin;
    const int right = HandleCentre(maximum()) + kChannelMargin;
    const QRect channel(left, handle.center().y() - kChannelHeight / 2, right - left + 1,
                        kChannelHeight);
    const QBrush inside = palette().brush(QPalette::Base);
    qDrawShadePanel(&painter, channel, palette(), true, 1, &inside);

    if (selEnd_ > selStart_) {
        const int start = HandleCentre(selStart_);
        const QRect band(start, channel.top() + 1, HandleCentre(selEnd_) - start + 1,
                         channel.height() - 2);
        painter.fillRect(band, palette().brush(QPalette::Highlight));
    }

    option.subControls = QStyle::SC_SliderTickmarks | QStyle::SC_SliderHandle;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

int TTrackBar::HandleCentre(int value) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = value;
    option.sliderValue = value;
    return style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
        .center()
        .x();
}

} // namespace arbolink
