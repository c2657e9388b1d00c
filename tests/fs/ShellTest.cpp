#include "fs/Shell.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <sys/wait.h>
#endif

namespace arbolink {
namespace {

using test::TempFolder;

TEST(MailToText, AppendsCopySubjectAndBodyExactly) {
    EXPECT_EQ(MailToText("mailto:someone@example.invalid?"),
              "mailto:someone@example.invalid?cc= &subject=『Arbolink』Ver. 2.0 について&body= &");
    // The Japanese characters go as they are, in UTF-8, never percent-encoded.
    const std::string text = MailToText("");
    EXPECT_EQ(text.find('%'), std::string::npos);
    EXPECT_NE(text.find("\xE3\x80\x8E"
                        "Arbolink"
                        "\xE3\x80\x8F"),
              std::string::npos);
}

TEST(RemovePlaceholder, TakesAQuotedPlaceholderWithTheBlankBeforeIt) {
    EXPECT_EQ(RemovePlaceholder(R"("C:\Program Files\Browser\browser.exe" "%1")"),
              R"("C:\Program Files\Browser\browser.exe")");
    EXPECT_EQ(RemovePlaceholder(R"(browser.exe -nohome "%1" -new)"), "browser.exe -nohome -new");
    // The quoted form wins over a bare one that comes first.
    EXPECT_EQ(RemovePlaceholder(R"(browser.exe %1 "%1")"), "browser.exe %1");
}

TEST(RemovePlaceholder, TakesABarePlaceholderWithTheBlankBeforeIt) {
    EXPECT_EQ(RemovePlaceholder(R"(C:\PROGRA~1\BROWSER\BROWSER.EXE %1)"),
              R"(C:\PROGRA~1\BROWSER\BROWSER.EXE)");
    EXPECT_EQ(RemovePlaceholder("browser %1 -new %1"), "browser -new %1"); // the first only
}

TEST(RemovePlaceholder, NeverCutsACharacterInTwoNorReachesBeforeTheStart) {
    EXPECT_EQ(RemovePlaceholder("閲覧%1"), "閲");
    EXPECT_EQ(RemovePlaceholder("\"%1\""), "");
    EXPECT_EQ(RemovePlaceholder("%1 -new"), " -new");
}

TEST(RemovePlaceholder, LeavesALineWithoutPlaceholderUnchanged) {
    EXPECT_EQ(RemovePlaceholder(R"("C:\Program Files\Browser\browser.exe" -url)"),
              R"("C:\Program Files\Browser\browser.exe" -url)");
    EXPECT_EQ(RemovePlaceholder("browser %2 100%"), "browser %2 100%");
    EXPECT_EQ(RemovePlaceholder(""), "");
}

#ifndef _WIN32
// The POSIX backend: xdg-open, and starting a program without a shell.

// True when the calling process has no child left, running or a zombie.
bool NoChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Puts a recorder in place of the real program start and takes it away again.
class RecordedStart : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramStarter([this](const std::vector<std::string>& arguments) {
            started_.push_back(arguments);
            return answer_;
        });
    }
    void TearDown() override { SetProgramStarter({}); }

    std::vector<std::vector<std::string>> started_;
    bool answer_ = true;
};

TEST_F(RecordedStart, OpenUrlHandsTheAddressUnchangedToXdgOpen) {
    OpenUrl("file:///opt/arbolink/manual/index.html");
    OpenUrl("http://example.invalid/a b?x=1&y=2");
    ASSERT_EQ(started_.size(), 2u);
    EXPECT_EQ(started_[0],
              (std::vector<std::string>{"xdg-open", "file:///opt/arbolink/manual/index.html"}));
    EXPECT_EQ(started_[1],
              (std::vector<std::string>{"xdg-open", "http://example.invalid/a b?x=1&y=2"}));
}

TEST_F(RecordedStart, OpenMailToHandsTheCompleteMailStringToXdgOpen) {
    OpenMailTo("mailto:someone@example.invalid?");
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0], (std::vector<std::string>{
                               "xdg-open", MailToText("mailto:someone@example.invalid?")}));
}

TEST_F(RecordedStart, AFailedStartIsSilent) {
    answer_ = false;
    EXPECT_NO_THROW(OpenUrl("file:///missing.html"));
    EXPECT_NO_THROW(OpenMailTo("mailto:?"));
    EXPECT_EQ(started_.size(), 2u); // one attempt each, no retry
}

// Points PATH at a folder for one test and puts the old value back.
class PathSetTo {
public:
    explicit PathSetTo(const std::string& folder) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        setenv("PATH", folder.c_str(), 1);
    }
    ~PathSetTo() {
        if (old_) {
            setenv("PATH", old_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }

private:
    std::optional<std::string> old_;
};

TEST(StartDetached, StartsAProgramAndLeavesNoChildBehind) {
    ASSERT_TRUE(NoChildLeft());
    EXPECT_TRUE(StartDetached({"true"}));
    EXPECT_TRUE(StartDetached({"ls", "-d", "/"}));
    EXPECT_TRUE(NoChildLeft());
}

TEST(StartDetached, AnswersFalseWhenNothingCouldBeStarted) {
    TempFolder emptyPath;
    EXPECT_FALSE(StartDetached({}));
    EXPECT_FALSE(StartDetached({""}));
    EXPECT_FALSE(StartDetached({emptyPath / "no-such-program"}));
    PathSetTo path(emptyPath.path());
    EXPECT_FALSE(StartDetached({"true"}));
    EXPECT_TRUE(NoChildLeft());
}

TEST(OpenUrl, WithoutAnOpenerNothingHappens) {
    TempFolder emptyPath;
    PathSetTo path(emptyPath.path());
    EXPECT_NO_THROW(OpenUrl("file:///missing.html"));
    EXPECT_NO_THROW(OpenMailTo("mailto:?"));
    EXPECT_TRUE(NoChildLeft());
}

#endif

} // namespace
} // namespace arbolink
