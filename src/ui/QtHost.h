// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Host of the Qt program: message boxes, the beep, the event loop, the progress dialog
// and the main window's fields and enabled state.

#include "core/Host.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;

namespace arbolink {

// The parts of the main window the commands read and switch.
struct MainWindowControls {
    QWidget* window = nullptr;
    QComboBox* source = nullptr;      // ComboBox1
    QComboBox* destination = nullptr; // ComboBox2
    QComboBox* restoreTo = nullptr;   // ComboBox3
    QCheckBox* copyProgram = nullptr; // CheckBox1
};

class QtHost : public Host {
public:
    explicit QtHost(const MainWindowControls& controls) : controls_(controls) {}

    Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) override;
    // Asks closesNow every kWatchInterval milliseconds while the box is up.
    Button ShowDialogUntil(DialogKind kind, const std::string& text, const Buttons& buttons,
                           const std::function<bool()>& closesNow, Button closedAs) override;
    void Beep() override;
    // Runs pending events, but returns at once when they ran less than kEventInterval
    // milliseconds ago: a walk over a million files would otherwise spend most of its time
    // in the event loop. The operations read the cancel flag after every item all the same.
    void ProcessMessages() override;
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
    void SetMainWindowEnabled(bool enabled) override;
    MainFields ReadFields() override;
    void SelectFieldText(Field field) override;

    static constexpr qint64 kEventInterval = 10;
    static constexpr int kWatchInterval = 250;

private:
    Button Ask(DialogKind kind, const std::string& text, const Buttons& asked,
               const std::function<bool()>* closesNow, Button closedAs);
    QComboBox* ComboBoxOf(Field field) const;

    MainWindowControls controls_;
    QElapsedTimer sinceEvents_;
    QPointer<QWidget> focusBeforeRun_;
};

} // namespace arbolink
