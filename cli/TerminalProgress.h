// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress dialog on a terminal. On a terminal it is one line redrawn in place: the stage,
// a bar with the percentage, the throughput and the file being copied. Elsewhere (a log, a
// pipe, a terminal that cannot redraw) it prints a plain line when the stage changes and at
// every tenth of the way.

#include "core/Host.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace arbolink::cli {

enum class ProgressStyle {
    Bar,    // a line redrawn in place, on a terminal
    Lines,  // a plain line at each stage and tenth of the way
    Silent, // nothing
};

// Whether a progress line is drawn on the terminal now, so that a message is written on a
// line of its own.
struct ProgressLine {
    bool drawn = false;
};

class TerminalProgress : public ProgressDialog {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // The bar is redrawn at once when the stage changes, and otherwise at most once in
    // kRedrawInterval by the clock: a run reports every file, and drawing each of thousands
    // of small files would cost more than copying them.
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    TerminalProgress(std::FILE* err, ProgressStyle style, ProgressLine& line,
                     Clock clock = std::chrono::steady_clock::now);
    ~TerminalProgress() override;

    void SetCaption(const std::string& caption) override;
    void SetOuterSize(int, int) override {}
    void SetAnimation(Animation, int, int, bool) override {}
    void SetMessage(const Box&, TextAlignment, const std::string&) override {}
    void SetStage(const std::string& text) override;
    void PlaceGauge(int, int) override {}
    void SetGauge(int percent) override;
    void SetCurrentFile(const std::string& file, std::int64_t bytes) override;
    // Printed as a line of its own, unless the progress is silent.
    void SetNote(const std::string& note) override;
    void Show() override;
    void Repaint() override {}
    // Ctrl+C is the Cancel button. The runs ask between files and between the chunks of a
    // long copy: a change the interval held back is drawn then, once it is due.
    bool CancelRequested() const override;

private:
    std::string Stage() const;
    // Bytes per second over the files finished so far; 0 before there is a measure.
    double Throughput() const;
    void Update(bool now);
    void DrawBarWhenDue() const;
    void DrawBar() const;
    void PrintLine();

    std::FILE* err_;
    const ProgressStyle style_;
    ProgressLine& line_;
    bool shown_ = false;
    std::string caption_;
    std::string stage_;
    int percent_ = 0;
    std::string file_;
    std::int64_t fileBytes_ = 0;
    std::int64_t doneBytes_ = 0; // of the files before the current one
    const Clock clock_;
    std::chrono::steady_clock::time_point start_ = clock_();
    std::string printedStage_;
    int printedTenth_ = -1;
    // The bar's drawing, also done from CancelRequested.
    mutable bool pending_ = false; // a change is not drawn yet
    mutable std::chrono::steady_clock::time_point drawnAt_{};
    mutable int columns_ = 0; // of the terminal, read again when it was resized
};

} // namespace arbolink::cli
