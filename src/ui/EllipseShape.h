// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A decorative ellipse filling its frame: a pen drawn inside the frame and a hatch brush,
// both laid over what lies below like a mask, so that they only darken it and text under
// the ellipse stays readable.

#include <QBrush>
#include <QPen>
#include <QWidget>

namespace arbolink {

class EllipseShape : public QWidget {
    Q_OBJECT
public:
    EllipseShape(const QPen& pen, const QBrush& brush, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPen pen_;
    QBrush brush_;
};

} // namespace arbolink
