// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Host for tests: records every dialog, beep and progress-dialog call in order, answers
// questions from a queue, and fails the test on a question it was not told to expect.

#include "core/Host.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace arbolink::test {

struct DialogRecord {
    DialogKind kind;
    std::string caption;
    std::string text;
    Buttons buttons;
    Button answer;
    bool closedByItself = false; // a dialog of ShowDialogUntil whose condition came true
};

// One recorded event: a dialog, a beep, or a progress-dialog call such as "gauge 12".
struct Event {
    enum class Type { Dialog, Beep, Progress, WindowEnabled, WindowDisabled, SelectField };
    Type type;
    std::string detail; // dialog text, or the progress call with its value
};

// One value the gauge was set to, with what the dialog told at that moment.
struct GaugeMoment {
    int percent = 0;
    std::string caption;
    std::string file; // the file named last, empty before any
};

struct ProgressRecord {
    std::string caption;
    std::string message;
    std::vector<std::string> stages;
    std::vector<int> gauge;           // every value set, in order
    std::vector<GaugeMoment> moments; // the same, each with its caption and file
    std::vector<std::string> files;   // every file named as the one copied next
    std::string note;                 // the medium the run took, as SetNote told it
    bool released = false;
};

class ScriptedHost : public Host {
public:
    // Queues the answer to the next question; with expectedText, the question must read so.
    void Answer(Button button, std::optional<std::string> expectedText = std::nullopt);

    // Called at every ProcessMessages, e.g. to press Cancel or change the file system.
    std::function<void()> onProcessMessages;
    // Called after every dialog is recorded, e.g. to swap a disk while a question is up.
    std::function<void(const DialogRecord&)> onDialog;
    // Presses Cancel in the progress dialog that is up (or the next one created).
    void PressCancel();

    Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) override;
    // Records the dialog and calls onDialog; then the dialog closes by itself when closesNow
    // answers true, and takes the next queued answer otherwise.
    Button ShowDialogUntil(DialogKind kind, const std::string& text, const Buttons& buttons,
                           const std::function<bool()>& closesNow, Button closedAs) override;
    void Beep() override;
    void ProcessMessages() override;
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
    void SetMainWindowEnabled(bool enabled) override;
    MainFields ReadFields() override { return fields; }
    void SelectFieldText(Field field) override;

    MainFields fields;
    std::vector<DialogRecord> dialogs;
    std::vector<Event> events;
    std::vector<std::shared_ptr<ProgressRecord>> progress;
    bool mainWindowEnabled = true;
    int processMessagesCalls = 0;
    // True while a progress dialog is up; dialogs shown meanwhile are recorded as such.
    int openProgressDialogs = 0;
    bool cancelPending = false;

    // The texts of every dialog shown, in order.
    std::vector<std::string> DialogTexts() const;
    // Events of one type, their details in order.
    std::vector<std::string> Details(Event::Type type) const;
    // Answers still queued at the end of a test mean the code asked fewer questions.
    std::size_t UnusedAnswers() const { return answers_.size(); }

private:
    Button NextAnswer(const std::string& text, const Buttons& buttons);

    struct QueuedAnswer {
        Button button;
        std::optional<std::string> expectedText;
    };
    std::deque<QueuedAnswer> answers_;
    std::vector<std::shared_ptr<bool>> flags_;
    bool* currentCancel_ = nullptr;
};

} // namespace arbolink::test
