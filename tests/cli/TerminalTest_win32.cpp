// SPDX-License-Identifier: GPL-3.0-or-later
#include "Terminal.h"

#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <string>
#include <thread>
#include <windows.h>

namespace arbolink::cli {
namespace {

// A pipe of the system's own, its reading end as a stream as the program's standard input is.
class AnswerPipe {
public:
    AnswerPipe() {
        HANDLE read = nullptr;
        if (!CreatePipe(&read, &write_, nullptr, 0)) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        in_ =
            _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(read), _O_RDONLY | _O_BINARY), "rb");
    }
    ~AnswerPipe() {
        CloseWriter();
        if (in_ != nullptr) {
            std::fclose(in_);
        }
    }
    AnswerPipe(const AnswerPipe&) = delete;
    AnswerPipe& operator=(const AnswerPipe&) = delete;

    std::FILE* in() const { return in_; }
    void Write(const std::string& bytes) const {
        DWORD written = 0;
        ASSERT_TRUE(
            WriteFile(write_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        ASSERT_EQ(written, bytes.size());
    }
    void CloseWriter() {
        if (write_ != nullptr) {
            CloseHandle(write_);
            write_ = nullptr;
        }
    }

private:
    HANDLE write_ = nullptr;
    std::FILE* in_ = nullptr;
};

TEST(ReadAnswerByte, ReadsAPipeByteByByteUntilItsWriterCloses) {
    AnswerPipe pipe;
    ASSERT_NE(pipe.in(), nullptr);
    pipe.Write("y\n");
    EXPECT_EQ(ReadAnswerByte(pipe.in()), 'y');
    EXPECT_EQ(ReadAnswerByte(pipe.in()), '\n');
    pipe.CloseWriter();
    EXPECT_EQ(ReadAnswerByte(pipe.in()), EOF);
    EXPECT_FALSE(IsTerminal(pipe.in()));
    EXPECT_EQ(TerminalColumns(pipe.in()), 80);
}

TEST(ReadAnswerByte, WaitsForAnAnswerThatIsStillToCome) {
    AnswerPipe pipe;
    ASSERT_NE(pipe.in(), nullptr);
    std::thread writer([&pipe] {
        Sleep(300);
        pipe.Write("n");
        pipe.CloseWriter();
    });
    EXPECT_EQ(ReadAnswerByte(pipe.in()), 'n');
    writer.join();
    EXPECT_EQ(ReadAnswerByte(pipe.in()), EOF);
}

} // namespace
} // namespace arbolink::cli
