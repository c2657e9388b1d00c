// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TStaticText: a fixed block of text in a sunken border, its lines set one font height
// apart. The room of a dialog is measured for faces whose line is as high as their
// characters; the substitute faces of other systems are taller, and a label would push the
// last lines out of sight.

#include <QFrame>
#include <QString>

namespace arbolink {

class TStaticText : public QFrame {
    Q_OBJECT

public:
    explicit TStaticText(QWidget* parent = nullptr);

    QString Text() const { return text_; }
    // "\n" begins a new line; a line wider than the field wraps.
    void SetText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace arbolink
