// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalHost.h"

#include "CliMessages.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/wFile/WriteMessages.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <gtest/gtest.h>
#include <string>

namespace arbolink::cli {
namespace {

std::string Read(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, n);
    }
    return text;
}

// A terminal host on temporary files: input holds the answers typed.
class TerminalHostTest : public ::testing::Test {
protected:
    ~TerminalHostTest() override {
        std::fclose(in_);
        std::fclose(err_);
    }

    TerminalHost& Host(const std::string& input, TerminalOptions options = {}) {
        std::fwrite(input.data(), 1, input.size(), in_);
        std::rewind(in_);
        host_.emplace(in_, err_, std::move(options));
        return *host_;
    }

    std::string Err() { return Read(err_); }

    std::FILE* in_ = std::tmpfile();
    std::FILE* err_ = std::tmpfile();
    std::optional<TerminalHost> host_;
};

TerminalOptions WithYes(bool emptyDestination = false, const std::string& drive = "") {
    TerminalOptions options;
    options.assumeYes = true;
    options.emptyDestination = emptyDestination;
    options.drive = drive;
    return options;
}

const std::string kChoices = "[A] 中止 / [R] 再試行: ";

TEST_F(TerminalHostTest, AsksWithTheButtonsAsChoicesUntilOneIsTyped) {
    TerminalHost& host = Host("x\n\n  r\n");
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, arbolink::msg::kCheckDisk,
                              {Button::Abort, Button::Retry}),
              Button::Retry);
    EXPECT_EQ(Err(),
              "[確認] ディスクを確認してください\n" + kChoices + kChoices + kChoices + "再試行\n");
    EXPECT_EQ(host.ExitCode(), kExitFailure);
}

TEST_F(TerminalHostTest, EveryButtonHasItsLetter) {
    TerminalHost& host = Host("O\nc\nY\nn\na\nR\ni\n");
    const Buttons all{Button::Ok,    Button::Cancel, Button::Yes,   Button::No,
                      Button::Abort, Button::Retry,  Button::Ignore};
    for (Button expected : all) {
        EXPECT_EQ(host.ShowDialog(DialogKind::Error, "q", all), expected);
    }
    EXPECT_NE(Err().find("[O] OK / [C] キャンセル / [Y] はい / [N] いいえ / [A] 中止 / [R] 再試行 "
                         "/ [I] 無視: "),
              std::string::npos);
}

TEST_F(TerminalHostTest, MessagesCarryTheirCaptionAndNeedNoAnswer) {
    TerminalHost& host = Host("");
    host.Warning("途中でキャンセルされました。");
    host.Message("a\nb");
    EXPECT_EQ(Err(), "[警告] 途中でキャンセルされました。\n[Arbolink] a\nb\n");
}

TEST_F(TerminalHostTest, TheEndOfInputAnswersWhatChangesNothing) {
    TerminalHost& host = Host("");
    EXPECT_EQ(host.ShowDialog(DialogKind::Information, arbolink::msg::kEmptyRemovable,
                              {Button::Yes, Button::No, Button::Abort}),
              Button::Abort);
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, "q", {Button::Ok, Button::Cancel}),
              Button::Cancel);
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, "q", {Button::Yes, Button::No}),
              Button::No);
    EXPECT_NE(Err().find("中止（標準入力に答えがありません）\n"), std::string::npos);
    // Nobody chose to end the command: it failed.
    EXPECT_EQ(host.ExitCode(), kExitFailure);
}

TEST_F(TerminalHostTest, TheExitCodeFollowsHowTheConversationEnded) {
    TerminalHost& host = Host("a\ny\n");
    host.ShowDialog(DialogKind::Confirmation, "q", {Button::Ok, Button::Abort});
    EXPECT_EQ(host.ExitCode(), kExitCancelled);
    // The restore's closing message after an Abort names what is missing; the answer ended it.
    host.Warning(std::string(arbolink::msg::kRestoreAborted) + "\n\nmisses");
    EXPECT_EQ(host.ExitCode(), kExitCancelled);
    host.Warning("後のメッセージ");
    EXPECT_EQ(host.ExitCode(), kExitFailure);
    host.ShowDialog(DialogKind::Confirmation, "q", {Button::Yes, Button::No});
    EXPECT_EQ(host.ExitCode(), kExitFailure);
    host.Message(arbolink::msg::kCopyFinished);
    EXPECT_EQ(host.ExitCode(), kExitSuccess);
    // The same words with a list of misses are no success.
    host.Warning(std::string(arbolink::msg::kCopyFinished) + "\n\nmisses");
    EXPECT_EQ(host.ExitCode(), kExitFailure);
}

TEST_F(TerminalHostTest, YesAnswersTheSafeQuestionsWithoutReadingInput) {
    TerminalHost& host = Host("a\n", WithYes());
    const std::string prepare = Formatted(arbolink::msg::kPrepareDisks, 3);
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, prepare, {Button::Ok, Button::Cancel}),
              Button::Ok);
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, arbolink::msg::kCreateDestination,
                              {Button::Yes, Button::No}),
              Button::Yes);
    // Not a question with a safe default: asked, and the typed answer read.
    EXPECT_EQ(host.ShowDialog(DialogKind::Error, "次のファイルをコピーできませんでした。",
                              {Button::Abort, Button::Retry, Button::Ignore}),
              Button::Abort);
    EXPECT_NE(Err().find("[O] OK / [C] キャンセル: OK（--yes）\n"), std::string::npos);
}

TEST_F(TerminalHostTest, YesRefusesToEmptyOrWriteOverUnlessAllowed) {
    TerminalHost& refusing = Host("y\ny\n", WithYes());
    EXPECT_EQ(refusing.ShowDialog(DialogKind::Information, arbolink::msg::kEmptyRemovable,
                                  {Button::Yes, Button::No, Button::Abort}),
              Button::Abort);
    EXPECT_EQ(refusing.ShowDialog(DialogKind::Information, arbolink::msg::kHardDiskHasEntries,
                                  {Button::Yes, Button::Abort}),
              Button::Abort);
    EXPECT_NE(Err().find("中止（--yes はこの質問に同意しません"), std::string::npos);
    // A refusal is the tool's, not the user's: the command failed.
    EXPECT_EQ(refusing.ExitCode(), kExitFailure);

    TerminalHost& allowing = Host("", WithYes(true));
    EXPECT_EQ(allowing.ShowDialog(DialogKind::Information, arbolink::msg::kEmptyRemovable,
                                  {Button::Yes, Button::No, Button::Abort}),
              Button::Yes);
    EXPECT_EQ(allowing.ShowDialog(DialogKind::Information, arbolink::msg::kHardDiskHasEntries,
                                  {Button::Yes, Button::Abort}),
              Button::Yes);
}

// Answers the probe from a list, then keeps answering its last value.
std::function<bool()> Probe(std::deque<bool> answers, int& calls) {
    return [answers = std::move(answers), &calls]() mutable {
        ++calls;
        bool value = answers.front();
        if (answers.size() > 1) {
            answers.pop_front();
        }
        return value;
    };
}

TEST_F(TerminalHostTest, YesWaitsForTheFirstDiskAndForEachSwap) {
    TerminalHost& host = Host("", WithYes(false, "/drive"));
    int calls = 0;
    host.SetMediumProbe(Probe({false, false, true}, calls));
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, Formatted(arbolink::msg::kInsertDisk, 1),
                              {Button::Ok, Button::Abort}),
              Button::Ok);
    EXPECT_EQ(calls, 3);
    EXPECT_NE(Err().find(msg::kWaitingForMedium), std::string::npos);

    // The next disk: the one just written must go out and another come in.
    calls = 0;
    host.SetMediumProbe(Probe({true, false, true}, calls));
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, Formatted(arbolink::msg::kInsertDisk, 2),
                              {Button::Ok, Button::Abort}),
              Button::Ok);
    EXPECT_EQ(calls, 3);
    calls = 0;
    host.SetMediumProbe(Probe({true, false, true}, calls));
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, arbolink::msg::kSwapDisk,
                              {Button::Abort, Button::Retry}),
              Button::Retry);
    EXPECT_EQ(calls, 3);
    EXPECT_NE(Err().find(msg::kWaitingForSwap), std::string::npos);
}

// A question that closes by itself: --yes waits for its condition; on a terminal Enter alone
// answers as its closing would, and a letter still chooses a button.
TEST_F(TerminalHostTest, AQuestionThatClosesByItselfWaitsWithYesAndTakesEnter) {
    TerminalHost& waiting = Host("", WithYes());
    int calls = 0;
    EXPECT_EQ(waiting.ShowDialogUntil(
                  DialogKind::Confirmation, arbolink::msg::kSwapDisk,
                  {Button::Abort, Button::Retry}, [&] { return ++calls == 3; }, Button::Retry),
              Button::Retry);
    EXPECT_EQ(calls, 3);
    EXPECT_NE(Err().find(msg::kWaitingForMedium), std::string::npos);
    EXPECT_EQ(waiting.ExitCode(), kExitFailure);

    // The first disk is already in the drive the command was given: no new medium is needed.
    // A later one must replace the disk written, there or as a new medium elsewhere.
    TerminalHost& drive = Host("", WithYes(false, "/drive"));
    int probes = 0;
    drive.SetMediumProbe(Probe({true}, probes));
    auto never = [] { return false; };
    EXPECT_EQ(drive.ShowDialogUntil(DialogKind::Confirmation,
                                    Formatted(arbolink::msg::kInsertDisk, 1),
                                    {Button::Ok, Button::Abort}, never, Button::Ok),
              Button::Ok);
    EXPECT_EQ(probes, 1);
    probes = 0;
    drive.SetMediumProbe(Probe({true, false, true}, probes));
    EXPECT_EQ(drive.ShowDialogUntil(DialogKind::Confirmation,
                                    Formatted(arbolink::msg::kInsertDisk, 2),
                                    {Button::Ok, Button::Abort}, never, Button::Ok),
              Button::Ok);
    EXPECT_EQ(probes, 3);

    TerminalHost& typed = Host("\na\n");
    const std::string prompt = Formatted(arbolink::msg::kInsertDisk, 2);
    EXPECT_EQ(typed.ShowDialogUntil(DialogKind::Confirmation, prompt, {Button::Ok, Button::Abort},
                                    never, Button::Ok),
              Button::Ok);
    EXPECT_EQ(typed.ShowDialogUntil(DialogKind::Confirmation, prompt, {Button::Ok, Button::Abort},
                                    never, Button::Ok),
              Button::Abort);
    EXPECT_EQ(typed.ExitCode(), kExitCancelled);
}

TEST_F(TerminalHostTest, WithoutADriveTheDiskQuestionsAreAsked) {
    TerminalHost& host = Host("a\n", WithYes());
    int calls = 0;
    host.SetMediumProbe(Probe({true}, calls));
    EXPECT_EQ(host.ShowDialog(DialogKind::Confirmation, arbolink::msg::kSwapDisk,
                              {Button::Abort, Button::Retry}),
              Button::Abort);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(host.ExitCode(), kExitCancelled);
}

TEST_F(TerminalHostTest, ProgressIsPlainLinesWhenNotOnATerminal) {
    TerminalHost& host = Host("");
    {
        std::unique_ptr<ProgressDialog> dialog = host.CreateProgressDialog();
        dialog->SetCaption("準備中．．．");
        dialog->Show();
        dialog->SetGauge(0);
        dialog->SetStage("ファイルをチェック中");
        dialog->SetGauge(5);
        dialog->SetGauge(12);
        dialog->SetGauge(19);
        dialog->SetGauge(100);
        dialog->SetGauge(0); // the next stage starts
        dialog->SetStage("ファイルをソート中");
        dialog->SetCurrentFile("/src/a.txt", 100); // a plain line does not name files
        EXPECT_FALSE(dialog->CancelRequested());
    }
    EXPECT_EQ(Err(), "準備中．．． 0%\n"
                     "ファイルをチェック中 0%\n"
                     "ファイルをチェック中 12%\n"
                     "ファイルをチェック中 100%\n"
                     "ファイルをソート中 0%\n");
}

// The number of times the text redraws the line.
std::size_t Redraws(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\033[K"); at != std::string::npos;
         at = text.find("\r\033[K", at + 1)) {
        ++count;
    }
    return count;
}

TEST(TerminalProgress, OnATerminalRedrawsOneLineWithBarAndFile) {
    std::FILE* err = std::tmpfile();
    ProgressLine line;
    auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    {
        TerminalProgress progress(err, ProgressStyle::Bar, line, [&] { return now; });
        progress.SetCaption("複写中．．．");
        progress.Show();
        EXPECT_TRUE(line.drawn);
        EXPECT_EQ(Redraws(Read(err)), 1u);
        // Within the interval, changes are held back, also when the run asks about Cancel.
        for (int file = 0; file < 1000; ++file) {
            progress.SetCurrentFile("docs/" + std::to_string(file), 10);
            progress.SetGauge(file / 20);
            EXPECT_FALSE(progress.CancelRequested());
        }
        EXPECT_EQ(Redraws(Read(err)), 1u);
        now += TerminalProgress::kRedrawInterval;
        EXPECT_FALSE(progress.CancelRequested()); // what was held back is drawn now
        EXPECT_EQ(Redraws(Read(err)), 2u);
        EXPECT_FALSE(progress.CancelRequested()); // and only once
        EXPECT_EQ(Redraws(Read(err)), 2u);
        progress.SetGauge(50);
        progress.SetCurrentFile("docs/" + std::string(200, 'x') + ".txt", 10);
        progress.SetStage("複写中．．．"); // a stage is drawn at once
        EXPECT_EQ(Redraws(Read(err)), 3u);
    }
    EXPECT_FALSE(line.drawn);
    const std::string text = Read(err);
    std::fclose(err);
    EXPECT_NE(text.find("\r\033[K複写中．．． [--------------------]   0%"), std::string::npos);
    EXPECT_NE(text.find("\r\033[K複写中．．． [#########-----------]  49%  docs/999\r"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\033[K複写中．．． [##########----------]  50%"), std::string::npos);
    // The file's name is cut from the left to fit the 80 columns of an unknown terminal.
    const std::size_t last = text.rfind("\r\033[K複写中");
    const std::string drawn = text.substr(last, text.rfind("\r\033[K") - last);
    EXPECT_NE(drawn.find("…xxx"), std::string::npos) << drawn;
    EXPECT_TRUE(drawn.ends_with("x.txt")) << drawn;
    EXPECT_LT(drawn.size(), 80u + 2 * 10);   // 80 columns, wide characters three bytes each
    EXPECT_TRUE(text.ends_with("\r\033[K")); // the line is cleared when the dialog goes
}

} // namespace
} // namespace arbolink::cli
