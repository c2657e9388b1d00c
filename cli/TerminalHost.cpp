#include "TerminalHost.h"

#include <cctype>
#include <unistd.h>

namespace arbolink::cli {

namespace {

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

// The answer that changes nothing, for a question nobody can answer.
Button SafestOf(const Buttons& buttons) {
    for (Button safe : {Button::Abort, Button::Cancel, Button::No}) {
        for (Button b : buttons) {
            if (b == safe) {
                return b;
            }
        }
    }
    return buttons.back();
}

class TerminalProgress : public ProgressDialog {
public:
    explicit TerminalProgress(std::FILE* err) : err_(err), tty_(isatty(fileno(err)) != 0) {}
    ~TerminalProgress() override {
        if (tty_ && shown_) {
            std::fputs("\r\033[K", err_);
        }
    }
    void SetCaption(const std::string&) override {}
    void SetOuterSize(int, int) override {}
    void SetAnimation(Animation, int, int, bool) override {}
    void SetMessage(const Box&, TextAlignment, const std::string&) override {}
    void SetStage(const std::string& text) override {
        stage_ = text;
        Draw();
    }
    void PlaceGauge(int, int) override {}
    void SetGauge(int percent) override {
        if (percent != percent_) {
            percent_ = percent;
            Draw();
        }
    }
    void Show() override { shown_ = true; }
    void Repaint() override {}
    bool CancelRequested() const override { return false; }

private:
    void Draw() {
        if (tty_ && shown_) {
            std::fprintf(err_, "\r\033[K%s %3d%%", stage_.c_str(), percent_);
            std::fflush(err_);
        }
    }
    std::FILE* err_;
    bool tty_;
    bool shown_ = false;
    std::string stage_;
    int percent_ = 0;
};

} // namespace

TerminalHost::TerminalHost(std::FILE* in, std::FILE* err) : in_(in), err_(err) {}

Button TerminalHost::ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) {
    std::fprintf(err_, "[%s] %s\n", CaptionOf(kind), text.c_str());
    if (buttons.size() <= 1) {
        return buttons.empty() ? Button::Ok : buttons.front();
    }
    for (;;) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            std::fprintf(err_, "%s[%c] %s", i ? " / " : "",
                         std::toupper(static_cast<unsigned char>(KeyOf(buttons[i]))),
                         CaptionOf(buttons[i]));
        }
        std::fputs(": ", err_);
        std::fflush(err_);
        int c = std::fgetc(in_);
        while (c == ' ' || c == '\t') {
            c = std::fgetc(in_);
        }
        if (c == EOF) {
            return SafestOf(buttons);
        }
        for (int rest = c; rest != '\n' && rest != EOF;) {
            rest = std::fgetc(in_);
        }
        for (Button b : buttons) {
            if (std::tolower(c) == KeyOf(b)) {
                return b;
            }
        }
    }
}

std::unique_ptr<ProgressDialog> TerminalHost::CreateProgressDialog() {
    return std::make_unique<TerminalProgress>(err_);
}

} // namespace arbolink::cli
