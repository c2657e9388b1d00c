// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TGauge: the percentage bar of the progress dialog. A framed horizontal bar with the
// percentage written inside it; the text is combined with the bar by XOR, so the digits show
// black over the background and in the bar's inverse colour (yellow over blue) over the bar.

#include <QColor>
#include <QImage>
#include <QWidget>

namespace arbolink {

class TGauge : public QWidget {
    Q_OBJECT

public:
    explicit TGauge(QWidget* parent = nullptr);

    int MinValue() const { return kMinValue; }
    int MaxValue() const { return kMaxValue; }
    int Progress() const { return progress_; }
    // Clamps into MinValue..MaxValue; repaints at once when the percentage changes, so the
    // picture is current even while a long run keeps the event loop waiting.
    void SetProgress(int value);
    // (Progress - MinValue) * 100 / (MaxValue - MinValue), truncated toward zero.
    int PercentDone() const;

    QColor ForeColor() const { return foreColor_; }
    void SetForeColor(const QColor& color);
    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& color);

    // The gauge's picture at its current size, in the pixels of the screen it is on, as
    // paintEvent copies it to the screen.
    QImage Picture() const;

    QSize sizeHint() const override { return {100, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kMinValue = 0;
    static constexpr int kMaxValue = 100;

    int progress_ = kMinValue;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
};

} // namespace arbolink
