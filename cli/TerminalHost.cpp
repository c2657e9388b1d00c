// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalHost.h"

#include "CliMessages.h"
#include "Questions.h"
#include "Terminal.h"
#include "core/Formatted.h"
#include "fs/Drives.h"

#include <cctype>
#include <chrono>
#include <thread>

namespace arbolink::cli {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(250);

// The letter that chooses a button on the terminal: its accelerator, or O for OK and C for
// Cancel.
char KeyOf(Button button) {
    switch (button) {
    case Button::Ok:
        return 'o';
    case Button::Cancel:
        return 'c';
    case Button::Yes:
        return 'y';
    case Button::No:
        return 'n';
    case Button::Abort:
        return 'a';
    case Button::Retry:
        return 'r';
    case Button::Ignore:
        return 'i';
    }
    return '?';
}

// The caption without its accelerator mark: "はい(&Y)" shows as "はい", "&Yes" as "Yes".
std::string ChoiceText(Button button) {
    std::string caption = CaptionOf(button);
    if (const std::size_t mark = caption.find("(&"); mark != std::string::npos) {
        return caption.substr(0, mark);
    }
    if (const std::size_t mark = caption.find('&'); mark != std::string::npos) {
        caption.erase(mark, 1);
    }
    return caption;
}

bool Holds(const Buttons& buttons, Button wanted) {
    for (Button b : buttons) {
        if (b == wanted) {
            return true;
        }
    }
    return false;
}

// The answer that changes nothing, for a question refused or left without an answer.
Button SafestOf(const Buttons& buttons) {
    for (Button safe : {Button::Abort, Button::Cancel, Button::No}) {
        if (Holds(buttons, safe)) {
            return safe;
        }
    }
    return buttons.back();
}

// The answer that goes on with the command.
Button GoOnOf(const Buttons& buttons) {
    for (Button onward : {Button::Ok, Button::Yes, Button::Retry}) {
        if (Holds(buttons, onward)) {
            return onward;
        }
    }
    return buttons.front();
}

bool EndsCommand(Button answer) {
    return answer == Button::Abort || answer == Button::Cancel || answer == Button::No;
}

} // namespace

TerminalHost::TerminalHost(std::FILE* in, std::FILE* err, TerminalOptions options)
    : in_(in), err_(err), options_(std::move(options)),
      mediumPresent_([drive = options_.drive] { return DriveFreeBytes(drive) != -1; }) {}

// Prints the question; false for a message, which needs no answer.
bool TerminalHost::PrintQuestion(DialogKind kind, const std::string& text, const Buttons& buttons) {
    if (line_.drawn) {
        std::fputs("\r\033[K", err_);
        line_.drawn = false;
    }
    std::fprintf(err_, "[%s] %s\n", CaptionOf(kind), text.c_str());
    if (buttons.size() <= 1) {
        succeeded_ = kind == DialogKind::Plain && IsClosingSuccess(text);
        endedByUser_ = endedByUser_ && IsClosingAfterAbort(text);
        std::fflush(err_);
        return false;
    }
    PrintChoices(buttons);
    return true;
}

Button TerminalHost::Settled(Button answer, AnsweredBy by) {
    succeeded_ = false;
    endedByUser_ = by == AnsweredBy::User && EndsCommand(answer);
    return answer;
}

Button TerminalHost::ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) {
    if (!PrintQuestion(kind, text, buttons)) {
        return buttons.empty() ? Button::Ok : buttons.front();
    }
    Button answer = Button::Ok;
    AnsweredBy by = AnsweredBy::Tool;
    if (!AnswerByItself(text, buttons, answer, by)) {
        answer = AskOnTerminal(buttons, by, std::nullopt);
    }
    return Settled(answer, by);
}

// With --yes the question waits for its condition; on a terminal Enter answers closedAs, and
// the command looks then whether the condition came true.
Button TerminalHost::ShowDialogUntil(DialogKind kind, const std::string& text,
                                     const Buttons& buttons, const std::function<bool()>& closesNow,
                                     Button closedAs) {
    if (!PrintQuestion(kind, text, buttons)) {
        return buttons.empty() ? Button::Ok : buttons.front();
    }
    if (!options_.assumeYes) {
        AnsweredBy by = AnsweredBy::User;
        const Button answer = AskOnTerminal(buttons, by, closedAs);
        return Settled(answer, by);
    }
    // The drive the command was given is watched as ShowDialog watches it, so that the first
    // disk, already in, needs no new medium; a later one must replace the one written first.
    const bool watching = !options_.drive.empty();
    bool sawNoMedium = KindOfQuestion(text) != QuestionKind::SwapWanted;
    auto ready = [&] {
        if (closesNow()) {
            return true;
        }
        const bool present = watching && mediumPresent_();
        sawNoMedium = sawNoMedium || !present;
        return sawNoMedium && present;
    };
    if (!WaitUntil(ready, msg::kWaitingForMedium)) {
        const Button answer = SafestOf(buttons);
        std::fputs(Formatted(msg::kInterruptedAnswer, ChoiceText(answer)).c_str(), err_);
        return Settled(answer, AnsweredBy::User);
    }
    std::fputs(Formatted(msg::kAnsweredByYes, ChoiceText(closedAs)).c_str(), err_);
    return Settled(closedAs, AnsweredBy::Tool);
}

void TerminalHost::PrintChoices(const Buttons& buttons) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        std::fprintf(err_, "%s[%c] %s", i ? " / " : "",
                     std::toupper(static_cast<unsigned char>(KeyOf(buttons[i]))),
                     ChoiceText(buttons[i]).c_str());
    }
    std::fputs(": ", err_);
    std::fflush(err_);
}

bool TerminalHost::AnswerByItself(const std::string& text, const Buttons& buttons, Button& answer,
                                  AnsweredBy& by) {
    if (!options_.assumeYes) {
        return false;
    }
    const QuestionKind kind = KindOfQuestion(text);
    const bool watching = !options_.drive.empty();
    switch (kind) {
    case QuestionKind::Ask:
        return false;
    case QuestionKind::MediumWanted:
    case QuestionKind::SwapWanted:
        if (!watching) {
            return false;
        }
        if ((kind == QuestionKind::SwapWanted && !WaitForMedium(false, msg::kWaitingForSwap)) ||
            !WaitForMedium(true, msg::kWaitingForMedium)) {
            answer = SafestOf(buttons);
            by = AnsweredBy::User;
            std::fputs(Formatted(msg::kInterruptedAnswer, ChoiceText(answer)).c_str(), err_);
            return true;
        }
        break;
    case QuestionKind::Confirm:
        break;
    case QuestionKind::Destructive:
        if (!options_.emptyDestination) {
            answer = SafestOf(buttons);
            by = AnsweredBy::Tool;
            std::fputs(Formatted(msg::kRefusedByYes, ChoiceText(answer)).c_str(), err_);
            return true;
        }
        break;
    }
    answer = GoOnOf(buttons);
    by = AnsweredBy::Tool;
    std::fputs(Formatted(msg::kAnsweredByYes, ChoiceText(answer)).c_str(), err_);
    return true;
}

bool TerminalHost::WaitForMedium(bool wanted, const Phrase& notice) {
    return WaitUntil([&] { return mediumPresent_() == wanted; }, notice);
}

bool TerminalHost::WaitUntil(const std::function<bool()>& done, const Phrase& notice) {
    bool noticed = false;
    while (!done()) {
        if (Interrupted()) {
            return false;
        }
        if (!noticed) {
            std::fprintf(err_, "\n%s", notice.c_str());
            std::fflush(err_);
            noticed = true;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return !Interrupted();
}

Button TerminalHost::AskOnTerminal(const Buttons& buttons, AnsweredBy& by,
                                   std::optional<Button> onEnter) {
    for (;;) {
        std::string line;
        int c = ReadAnswerByte(in_);
        for (; c != EOF && c != '\n'; c = ReadAnswerByte(in_)) {
            line += static_cast<char>(c);
        }
        if (c == EOF && (line.empty() || Interrupted())) {
            const bool interrupted = Interrupted();
            const Button answer = SafestOf(buttons);
            by = interrupted ? AnsweredBy::User : AnsweredBy::Tool;
            std::fputs(Formatted(interrupted ? msg::kInterruptedAnswer : msg::kNoAnswer,
                                 ChoiceText(answer))
                           .c_str(),
                       err_);
            return answer;
        }
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos && onEnter) {
            by = AnsweredBy::User;
            return *onEnter;
        }
        if (first != std::string::npos) {
            const int key = std::tolower(static_cast<unsigned char>(line[first]));
            for (Button b : buttons) {
                if (key == KeyOf(b)) {
                    if (!IsTerminal(in_)) {
                        // A terminal echoes what was typed; a log of answers from a file or
                        // a pipe would not show it.
                        std::fprintf(err_, "%s\n", ChoiceText(b).c_str());
                    }
                    by = AnsweredBy::User;
                    return b;
                }
            }
        }
        PrintChoices(buttons);
    }
}

std::unique_ptr<ProgressDialog> TerminalHost::CreateProgressDialog() {
    const ProgressStyle style = RedrawsInPlace(err_)     ? ProgressStyle::Bar
                                : options_.progressLines ? ProgressStyle::Lines
                                                         : ProgressStyle::Silent;
    return std::make_unique<TerminalProgress>(err_, style, line_);
}

int TerminalHost::ExitCode() const {
    if (succeeded_) {
        return kExitSuccess;
    }
    if (Interrupted() || endedByUser_) {
        return kExitCancelled;
    }
    return kExitFailure;
}

} // namespace arbolink::cli
