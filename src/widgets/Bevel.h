// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TBevel: an etched line along the top edge of its rectangle, the separators of the main
// window. Lowered draws the shadow over the highlight, raised the highlight over the shadow.

#include <QWidget>

namespace arbolink {

enum class BevelStyle { Lowered, Raised };

class TBevel : public QWidget {
    Q_OBJECT

public:
    explicit TBevel(BevelStyle style, QWidget* parent = nullptr);

    BevelStyle Style() const { return style_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BevelStyle style_;
};

} // namespace arbolink
