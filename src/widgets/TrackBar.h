// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TTrackBar: a horizontal slider that also highlights a sub-range of its channel, the
// selection from SelStart to SelEnd, which Qt's slider cannot show.

#include <QSlider>

namespace arbolink {

class TTrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    void SetSelection(int start, int end);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int HandleCentre(int value) const;

    int selStart_ = 0;
    int selEnd_ = 0;
};

} // namespace arbolink
