// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spin button inside the right edge of a spin edit: an up half above a down half.

#include <QWidget>

namespace arbolink {

class TTimerSpeedButton;

class TSpinButton : public QWidget {
    Q_OBJECT

public:
    explicit TSpinButton(QWidget* parent);

signals:
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TTimerSpeedButton* upButton_;
    TTimerSpeedButton* downButton_;
};

} // namespace arbolink
