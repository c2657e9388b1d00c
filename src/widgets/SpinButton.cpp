// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinButton.h"

#include "widgets/TimerSpeedButton.h"

// The arrow glyphs live in this static library; nothing else refers to them, so the linker
// keeps them only when they are registered by name.
static void RegisterSpinGlyphs() {
    Q_INIT_RESOURCE(Spin);
}

namespace arbolink {

namespace {

constexpr int kMinimumWidth = 15;

} // namespace

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    RegisterSpinGlyphs();
    upButton_ = new TTimerSpeedButton(QStringLiteral(":/SpinUp"), this);
    upButton_->setObjectName(QStringLiteral("UpButton"));
    downButton_ = new TTimerSpeedButton(QStringLiteral(":/SpinDown"), this);
    downButton_->setObjectName(QStringLiteral("DownButton"));
    setMinimumWidth(kMinimumWidth);
    setFocusPolicy(Qt::NoFocus);
    connect(upButton_, &TTimerSpeedButton::Click, this, &TSpinButton::UpClick);
    connect(downButton_, &TTimerSpeedButton::Click, this, &TSpinButton::DownClick);
}

void TSpinButton::resizeEvent(QResizeEvent*) {
    // The halves overlap by one pixel so that they share the line between them.
    const int upHeight = height() / 2;
    const int downTop = upHeight - 1;
    upButton_->setGeometry(0, 0, width(), upHeight);
    downButton_->setGeometry(0, downTop, width(), height() - downTop);
}

} // namespace arbolink
