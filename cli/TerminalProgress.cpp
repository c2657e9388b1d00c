// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalProgress.h"

#include "Terminal.h"
#include "core/Quantities.h"

#include <algorithm>

namespace arbolink::cli {

namespace {

constexpr int kBarWidth = 20;

// Columns a UTF-8 text takes, counting every character from U+0800 on as wide (two columns):
// right for the Japanese scripts and the full-width forms, and never too few elsewhere.
int Columns(std::string_view text) {
    int columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) {
            continue;
        }
        columns += byte >= 0xE0 ? 2 : 1;
    }
    return columns;
}

// The end of the text that fits in the columns, with "…" in front when it was cut.
std::string TailThatFits(const std::string& text, int columns) {
    if (Columns(text) <= columns) {
        return text;
    }
    std::size_t start = text.size();
    int used = Columns("…");
    while (start > 0) {
        std::size_t previous = start - 1;
        while (previous > 0 && (static_cast<unsigned char>(text[previous]) & 0xC0) == 0x80) {
            --previous;
        }
        const int width = Columns(std::string_view(text).substr(previous, start - previous));
        if (used + width > columns) {
            break;
        }
        used += width;
        start = previous;
    }
    return "…" + text.substr(start);
}

std::string ThroughputText(double bytesPerSecond) {
    if (bytesPerSecond <= 0) {
        return {};
    }
    return RateText(bytesPerSecond);
}

} // namespace

TerminalProgress::TerminalProgress(std::FILE* err, ProgressStyle style, ProgressLine& line,
                                   Clock clock)
    : err_(err), style_(style), line_(line), clock_(std::move(clock)) {}

TerminalProgress::~TerminalProgress() {
    if (line_.drawn) {
        std::fputs("\r\033[K", err_);
        std::fflush(err_);
        line_.drawn = false;
    }
}

void TerminalProgress::SetCaption(const std::string& caption) {
    caption_ = caption;
    Update(true);
}

void TerminalProgress::SetStage(const std::string& text) {
    stage_ = text;
    Update(true);
}

void TerminalProgress::SetGauge(int percent) {
    percent_ = std::clamp(percent, 0, 100);
    Update(false);
}

void TerminalProgress::SetCurrentFile(const std::string& file, std::int64_t bytes) {
    doneBytes_ += fileBytes_;
    file_ = file;
    fileBytes_ = std::max<std::int64_t>(bytes, 0);
    if (style_ == ProgressStyle::Bar) {
        Update(false);
    }
}

void TerminalProgress::SetNote(const std::string& note) {
    if (style_ == ProgressStyle::Silent) {
        return;
    }
    if (line_.drawn) {
        std::fputs("\r\033[K", err_);
        line_.drawn = false;
    }
    std::fprintf(err_, "%s\n", note.c_str());
    std::fflush(err_);
}

void TerminalProgress::Show() {
    shown_ = true;
    start_ = clock_();
    Update(true);
}

bool TerminalProgress::CancelRequested() const {
    if (pending_) {
        DrawBarWhenDue();
    }
    return Interrupted();
}

std::string TerminalProgress::Stage() const {
    return stage_.empty() ? caption_ : stage_;
}

double TerminalProgress::Throughput() const {
    const std::chrono::duration<double> elapsed = clock_() - start_;
    if (elapsed.count() < 0.5 || doneBytes_ == 0) {
        return 0;
    }
    return static_cast<double>(doneBytes_) / elapsed.count();
}

void TerminalProgress::Update(bool now) {
    if (!shown_) {
        return;
    }
    if (style_ == ProgressStyle::Bar) {
        pending_ = true;
        if (now) {
            DrawBar();
        } else {
            DrawBarWhenDue();
        }
    } else if (style_ == ProgressStyle::Lines) {
        PrintLine();
    }
}

void TerminalProgress::DrawBarWhenDue() const {
    if (clock_() - drawnAt_ >= kRedrawInterval) {
        DrawBar();
    }
}

void TerminalProgress::DrawBar() const {
    const int filled = percent_ * kBarWidth / 100;
    std::string line = Stage() + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '-') + "] ";
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", percent_);
    line += percent;
    const std::string rate = ThroughputText(Throughput());
    if (!rate.empty()) {
        line += "  " + rate;
    }
    // One column is kept free: a line that fills the terminal would wrap on some of them.
    if (columns_ == 0 || TerminalResized()) {
        columns_ = TerminalColumns(err_);
    }
    const int room = columns_ - 1 - Columns(line) - 2;
    if (!file_.empty() && room > 0) {
        line += "  " + TailThatFits(file_, room);
    }
    std::fprintf(err_, "\r\033[K%s", line.c_str());
    std::fflush(err_);
    line_.drawn = true;
    pending_ = false;
    drawnAt_ = clock_();
}

void TerminalProgress::PrintLine() {
    const std::string stage = Stage();
    const int tenth = percent_ / 10;
    // A stage's gauge goes back to 0 just before the next stage is named: only progress is
    // worth a line.
    if (stage == printedStage_ && tenth <= printedTenth_) {
        return;
    }
    printedStage_ = stage;
    printedTenth_ = tenth;
    const std::string rate = ThroughputText(Throughput());
    std::fprintf(err_, "%s %d%%%s%s\n", stage.c_str(), percent_, rate.empty() ? "" : " ",
                 rate.c_str());
    std::fflush(err_);
}

} // namespace arbolink::cli
