// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Host of the command-line tool: messages go to standard error in the system's own words,
// questions are asked there with their buttons as choices and answered from standard input,
// and the progress dialog is a line on the terminal. It keeps what the conversation came to,
// so that the tool can end with the right exit status.

#include "ExitStatus.h"
#include "TerminalProgress.h"
#include "core/Host.h"
#include "core/Phrase.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace arbolink::cli {

struct TerminalOptions {
    // --yes: answer the questions with a safe default; refuse the destructive ones.
    bool assumeYes = false;
    // --empty-destination: with --yes, agree to empty or write over a destination.
    bool emptyDestination = false;
    // The drive disks are inserted into, watched before a question that wants a disk is
    // answered by --yes; empty when the disks are folders and there is nothing to wait for.
    std::string drive;
    // Off a terminal, progress is written as plain lines; false keeps it silent there.
    bool progressLines = true;
};

class TerminalHost : public Host {
public:
    explicit TerminalHost(std::FILE* in = stdin, std::FILE* err = stderr,
                          TerminalOptions options = {});

    Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) override;
    // With --yes: waits until closesNow answers true, or until a medium answers in the drive
    // as ShowDialog waits for it (Ctrl+C gives the safest answer). On a terminal: asked as
    // ShowDialog, and Enter alone answers closedAs.
    Button ShowDialogUntil(DialogKind kind, const std::string& text, const Buttons& buttons,
                           const std::function<bool()>& closesNow, Button closedAs) override;
    void Beep() override {}
    void ProcessMessages() override {}
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
    void SetMainWindowEnabled(bool) override {}
    MainFields ReadFields() override { return fields_; }
    void SelectFieldText(Field) override {}

    void SetFields(const MainFields& fields) { fields_ = fields; }
    // Tells whether a medium is in the drive; DriveFreeBytes of the drive unless replaced.
    void SetMediumProbe(std::function<bool()> probe) { mediumPresent_ = std::move(probe); }

    // 0 when the run's closing message said every file was carried, 3 after Ctrl+C or when
    // the user's answer to the last question ended the command, 1 otherwise.
    int ExitCode() const;

private:
    // Who settled a question.
    enum class AnsweredBy { User, Tool };

    bool AnswerByItself(const std::string& text, const Buttons& buttons, Button& answer,
                        AnsweredBy& by);
    bool PrintQuestion(DialogKind kind, const std::string& text, const Buttons& buttons);
    Button Settled(Button answer, AnsweredBy by);
    // onEnter: the answer of an empty line; without it an empty line asks again.
    Button AskOnTerminal(const Buttons& buttons, AnsweredBy& by, std::optional<Button> onEnter);
    void PrintChoices(const Buttons& buttons);
    // Waits until the probe answers wanted; false when Ctrl+C came first.
    bool WaitForMedium(bool wanted, const Phrase& notice);
    // Waits until done answers true, telling notice once; false when Ctrl+C came first.
    bool WaitUntil(const std::function<bool()>& done, const Phrase& notice);

    std::FILE* in_;
    std::FILE* err_;
    const TerminalOptions options_;
    MainFields fields_;
    std::function<bool()> mediumPresent_;
    ProgressLine line_;
    bool succeeded_ = false;
    bool endedByUser_ = false;
};

} // namespace arbolink::cli
