// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtHost.h"

#include "ui/HostCaptions.h"
#include "ui/ProgressForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace arbolink {

namespace {

QMessageBox::Icon IconOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
        return QMessageBox::NoIcon;
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The answer of Esc or of closing the box: the one that changes nothing, where there is one.
Button EscapeOf(const Buttons& buttons) {
    for (Button safe : {Button::Cancel, Button::No, Button::Abort}) {
        if (std::find(buttons.begin(), buttons.end(), safe) != buttons.end()) {
            return safe;
        }
    }
    return buttons.size() == 1 ? buttons.front() : buttons.back();
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// Keeps a window of ours in front of the main window, as the window system stacks a dialog
// over its owner, without making it a child: a child would be disabled with the main window.
void StandInFrontOf(QWidget& window, QWidget* mainWindow) {
    if (mainWindow == nullptr || mainWindow->windowHandle() == nullptr) {
        return;
    }
    window.winId(); // creates the native window, so that it can be given its owner
    window.windowHandle()->setTransientParent(mainWindow->windowHandle());
}

} // namespace

Button QtHost::ShowDialog(DialogKind kind, const std::string& text, const Buttons& asked) {
    return Ask(kind, text, asked, nullptr, Button::Ok);
}

Button QtHost::ShowDialogUntil(DialogKind kind, const std::string& text, const Buttons& buttons,
                               const std::function<bool()>& closesNow, Button closedAs) {
    return Ask(kind, text, buttons, &closesNow, closedAs);
}

Button QtHost::Ask(DialogKind kind, const std::string& text, const Buttons& asked,
                   const std::function<bool()>* closesNow, Button closedAs) {
    const Buttons buttons = asked.empty() ? Buttons{Button::Ok} : asked;
    // No parent: the box is application-modal and stays usable while the main window is
    // disabled behind a progress dialog.
    QMessageBox box(IconOf(kind), WindowCaption(kind), QString::fromStdString(text),
                    QMessageBox::NoButton);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    StandInFrontOf(box, controls_.window);
    std::vector<QPushButton*> pushButtons;
    const Button escape = EscapeOf(buttons);
    for (Button button : buttons) {
        // One role for all keeps the buttons in the order the command gave them.
        QPushButton* push = box.addButton(WindowCaption(button), QMessageBox::ActionRole);
        pushButtons.push_back(push);
        if (button == escape) {
            box.setEscapeButton(push);
        }
    }
    box.setDefaultButton(pushButtons.front());
    bool closedByItself = false;
    QTimer watch;
    if (closesNow != nullptr) {
        QObject::connect(&watch, &QTimer::timeout, &box, [&] {
            if (!closedByItself && (*closesNow)()) {
                closedByItself = true;
                box.done(0);
            }
        });
        watch.start(kWatchInterval);
    }
    box.exec();
    if (closedByItself) {
        return closedAs;
    }
    const auto clicked = std::find(pushButtons.begin(), pushButtons.end(), box.clickedButton());
    return clicked == pushButtons.end()
               ? escape
               : buttons[static_cast<std::size_t>(clicked - pushButtons.begin())];
}

void QtHost::Beep() {
    QApplication::beep();
}

void QtHost::ProcessMessages() {
    if (sinceEvents_.isValid() && !sinceEvents_.hasExpired(kEventInterval)) {
        return;
    }
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

std::unique_ptr<ProgressDialog> QtHost::CreateProgressDialog() {
    auto dialog = std::make_unique<TForm4>();
    StandInFrontOf(*dialog, controls_.window);
    return dialog;
}

void QtHost::SetMainWindowEnabled(bool enabled) {
    // Disabling moves the focus off the window's controls; it comes back to where it was.
    if (!enabled && controls_.window->isEnabled()) {
        focusBeforeRun_ = controls_.window->focusWidget();
    }
    controls_.window->setEnabled(enabled);
    if (enabled && focusBeforeRun_ != nullptr) {
        focusBeforeRun_->setFocus();
        focusBeforeRun_ = nullptr;
    }
}

MainFields QtHost::ReadFields() {
    MainFields fields;
    fields.source = Utf8(controls_.source->currentText());
    fields.destination = Utf8(controls_.destination->currentText());
    fields.restoreTo = Utf8(controls_.restoreTo->currentText());
    fields.copyProgram = controls_.copyProgram->isChecked();
    return fields;
}

void QtHost::SelectFieldText(Field field) {
    QComboBox* combo = ComboBoxOf(field);
    combo->setFocus();
    combo->lineEdit()->selectAll();
}

QComboBox* QtHost::ComboBoxOf(Field field) const {
    switch (field) {
    case Field::Source:
        return controls_.source;
    case Field::Destination:
        return controls_.destination;
    case Field::RestoreTo:
        return controls_.restoreTo;
    }
    return controls_.source;
}

} // namespace arbolink
