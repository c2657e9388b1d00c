// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For Qt tests of a command run from the main window: counts the progress dialogs shown.

#include "ui/ProgressForm.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace arbolink::test {

// Watches the progress dialogs of a run: the main window must be disabled while one is up,
// and no message may come up while one is still there.
class ProgressWatch : public QObject {
public:
    explicit ProgressWatch(QWidget& mainWindow) : mainWindow_(mainWindow) {
        qApp->installEventFilter(this);
    }
    int shown = 0;
    int shownWithMainWindowEnabled = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<TForm4*>(watched) != nullptr) {
            ++shown;
            shownWithMainWindowEnabled += mainWindow_.isEnabled() ? 1 : 0;
        }
        return false;
    }

private:
    QWidget& mainWindow_;
};

} // namespace arbolink::test
