// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One half of the spin button: a flat button showing a glyph, whose click repeats while the
// left mouse button holds it down.

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace arbolink {

class TTimerSpeedButton : public QWidget {
    Q_OBJECT

public:
    // glyph: the resource path of the arrow drawn in the middle of the button.
    TTimerSpeedButton(const QString& glyph, QWidget* parent);

    // Drawn pressed: the left button went down here and the mouse is over the button.
    bool IsDown() const { return down_; }

signals:
    // One step: a release over the button, or a repeat while the button is held.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RepeatTimerFired();
    void SetDown(bool down);

    QPixmap glyph_;
    QTimer repeatTimer_;
    bool captured_ = false; // the left button went down here and has not been released
    bool down_ = false;
};

} // namespace arbolink
