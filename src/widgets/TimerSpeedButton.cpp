// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TimerSpeedButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace arbolink {

namespace {

// The first repeat waits long enough for an ordinary click to end before it.
constexpr int kFirstRepeatDelay = 400;
constexpr int kRepeatInterval = 100;

} // namespace

TTimerSpeedButton::TTimerSpeedButton(const QString& glyph, QWidget* parent)
    : QWidget(parent), glyph_(glyph), repeatTimer_(this) {
    setFocusPolicy(Qt::NoFocus);
    connect(&repeatTimer_, &QTimer::timeout, this, &TTimerSpeedButton::RepeatTimerFired);
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= down_ ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);

    const QPixmap shown =
        isEnabled() ? glyph_ : style()->generatedIconPixmap(QIcon::Disabled, glyph_, &option);
    QPoint origin((width() - glyph_.width()) / 2, (height() - glyph_.height()) / 2);
    if (down_) {
        origin += QPoint(1, 1);
    }
    painter.drawPixmap(origin, shown);
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    captured_ = true;
    SetDown(true);
    repeatTimer_.start(kFirstRepeatDelay);
}

void TTimerSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    if (captured_) {
        SetDown(rect().contains(event->position().toPoint()));
    }
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !captured_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    repeatTimer_.stop();
    captured_ = false;
    SetDown(false);
    if (rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void TTimerSpeedButton::RepeatTimerFired() {
    repeatTimer_.setInterval(kRepeatInterval);
    if (!(captured_ && down_)) {
        return;
    }
    try {
        emit Click();
    } catch (...) {
        // A step that failed must not be repeated a tenth of a second later.
        repeatTimer_.stop();
        throw;
    }
}

void TTimerSpeedButton::SetDown(bool down) {
    if (down_ != down) {
        down_ = down;
        update();
    }
}

} // namespace arbolink
