// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedHost.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace arbolink::test {

namespace {

class ScriptedProgress : public ProgressDialog {
public:
    ScriptedProgress(ScriptedHost& host, std::shared_ptr<ProgressRecord> record, bool& cancel)
        : host_(host), record_(std::move(record)), cancel_(cancel) {}
    ~ScriptedProgress() override {
        record_->released = true;
        --host_.openProgressDialogs;
        Log("release");
    }
    void SetCaption(const std::string& caption) override {
        record_->caption = caption;
        Log("caption " + caption);
    }
    void SetOuterSize(int width, int height) override {
        Log("size " + std::to_string(width) + "x" + std::to_string(height));
    }
    void SetAnimation(Animation clip, int left, int top, bool playing) override {
        Log(std::string("animation ") + (clip == Animation::FindFolder ? "find" : "copy") + " " +
            std::to_string(left) + "," + std::to_string(top) + (playing ? " playing" : ""));
    }
    void SetMessage(const Box& box, TextAlignment alignment, const std::string& text) override {
        record_->message = text;
        Log("message " + std::to_string(box.left) + "," + std::to_string(box.top) + " " +
            std::to_string(box.width) + "x" + std::to_string(box.height) +
            (alignment == TextAlignment::Center ? " center " : " left ") + text);
    }
    void SetStage(const std::string& text) override {
        record_->stages.push_back(text);
        Log("stage " + text);
    }
    void PlaceGauge(int left, int top) override {
        Log("gauge-at " + std::to_string(left) + "," + std::to_string(top));
    }
    void SetGauge(int percent) override {
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
        record_->gauge.push_back(percent);
        record_->moments.push_back(
            {percent, record_->caption, record_->files.empty() ? "" : record_->files.back()});
        Log("gauge " + std::to_string(percent));
    }
    // Kept out of the event log: the dialog itself does not show the file.
    void SetCurrentFile(const std::string& file, std::int64_t) override {
        record_->files.push_back(file);
    }
    void SetNote(const std::string& note) override { record_->note = note; }
    void Show() override { Log("show"); }
    void Repaint() override { Log("repaint"); }
    bool CancelRequested() const override { return cancel_; }

private:
    void Log(std::string detail) {
        host_.events.push_back({Event::Type::Progress, std::move(detail)});
    }
    ScriptedHost& host_;
    std::shared_ptr<ProgressRecord> record_;
    bool& cancel_;
};

} // namespace

void ScriptedHost::Answer(Button button, std::optional<std::string> expectedText) {
    answers_.push_back({button, std::move(expectedText)});
}

void ScriptedHost::PressCancel() {
    if (currentCancel_ != nullptr) {
        *currentCancel_ = true;
    } else {
        cancelPending = true;
    }
}

Button ScriptedHost::NextAnswer(const std::string& text, const Buttons& buttons) {
    EXPECT_FALSE(buttons.empty()) << "a dialog without buttons: " << text;
    Button answer = buttons.empty() ? Button::Ok : buttons.front();
    if (buttons.size() > 1) {
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            // The answer that changes nothing.
            for (Button safe : {Button::Abort, Button::Cancel, Button::No}) {
                if (std::find(buttons.begin(), buttons.end(), safe) != buttons.end()) {
                    answer = safe;
                    break;
                }
            }
        } else {
            QueuedAnswer queued = answers_.front();
            answers_.pop_front();
            if (queued.expectedText) {
                EXPECT_EQ(*queued.expectedText, text);
            }
            EXPECT_NE(std::find(buttons.begin(), buttons.end(), queued.button), buttons.end())
                << "the question offers no such button: " << text;
            answer = queued.button;
        }
    }
    return answer;
}

Button ScriptedHost::ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) {
    const Button answer = NextAnswer(text, buttons);
    dialogs.push_back({kind, CaptionOf(kind), text, buttons, answer});
    events.push_back({Event::Type::Dialog, text});
    if (onDialog) {
        onDialog(dialogs.back());
    }
    return answer;
}

Button ScriptedHost::ShowDialogUntil(DialogKind kind, const std::string& text,
                                     const Buttons& buttons, const std::function<bool()>& closesNow,
                                     Button closedAs) {
    dialogs.push_back({kind, CaptionOf(kind), text, buttons, closedAs});
    events.push_back({Event::Type::Dialog, text});
    const std::size_t shown = dialogs.size() - 1;
    if (onDialog) {
        onDialog(dialogs[shown]);
    }
    if (closesNow()) {
        dialogs[shown].closedByItself = true;
        return closedAs;
    }
    dialogs[shown].answer = NextAnswer(text, buttons);
    return dialogs[shown].answer;
}

void ScriptedHost::Beep() {
    events.push_back({Event::Type::Beep, ""});
}

void ScriptedHost::ProcessMessages() {
    ++processMessagesCalls;
    if (onProcessMessages) {
        onProcessMessages();
    }
}

std::unique_ptr<ProgressDialog> ScriptedHost::CreateProgressDialog() {
    auto record = std::make_shared<ProgressRecord>();
    progress.push_back(record);
    ++openProgressDialogs;
    // Each dialog has its own flag; a Cancel pressed before it existed lands on it.
    auto flag = std::make_shared<bool>(cancelPending);
    cancelPending = false;
    flags_.push_back(flag);
    currentCancel_ = flag.get();
    return std::make_unique<ScriptedProgress>(*this, record, *flag);
}

void ScriptedHost::SetMainWindowEnabled(bool enabled) {
    mainWindowEnabled = enabled;
    events.push_back({enabled ? Event::Type::WindowEnabled : Event::Type::WindowDisabled, ""});
}

void ScriptedHost::SelectFieldText(Field field) {
    events.push_back({Event::Type::SelectField, std::to_string(static_cast<int>(field))});
}

std::vector<std::string> ScriptedHost::DialogTexts() const {
    std::vector<std::string> texts;
    for (const DialogRecord& dialog : dialogs) {
        texts.push_back(dialog.text);
    }
    return texts;
}

std::vector<std::string> ScriptedHost::Details(Event::Type type) const {
    std::vector<std::string> details;
    for (const Event& event : events) {
        if (event.type == type) {
            details.push_back(event.detail);
        }
    }
    return details;
}

} // namespace arbolink::test
