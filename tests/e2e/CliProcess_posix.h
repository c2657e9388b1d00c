// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built arbolink-cli running as a child of the test, with its standard input and error on
// pipes.

#include "CliExec_posix.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace arbolink::test {

// The program running with its standard input and error on pipes; standard output goes to
// the file out.
class Program {
public:
    explicit Program(const std::vector<std::string>& args, const char* out = "/dev/null") {
        int in[2];
        int err[2];
        if (pipe(in) != 0 || pipe(err) != 0) {
            ADD_FAILURE() << "no pipes";
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(err[1], STDERR_FILENO);
            const int output = open(out, O_WRONLY);
            dup2(output, STDOUT_FILENO);
            close(in[1]);
            close(err[0]);
            test::ExecCli(args);
        }
        close(in[0]);
        close(err[1]);
        in_ = in[1];
        err_ = err[0];
    }

    ~Program() {
        CloseInput();
        if (pid_ > 0 && status_ < 0) {
            kill(pid_, SIGKILL);
            Wait();
        }
        if (err_ >= 0) {
            close(err_);
        }
    }

    void Type(const std::string& text) {
        ASSERT_EQ(write(in_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    void CloseInput() {
        if (in_ >= 0) {
            close(in_);
            in_ = -1;
        }
    }

    // Reads standard error until it holds the text; false when the program closed it first.
    bool ReadUntil(const std::string& text) {
        while (err.find(text) == std::string::npos) {
            if (!ReadMore()) {
                return false;
            }
        }
        return true;
    }

    void Interrupt() { kill(pid_, SIGINT); }

    // Reads the rest of standard error and answers the exit status (-1 for a signal).
    int Wait() {
        while (ReadMore()) {
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return status_;
    }

    std::string err;

private:
    bool ReadMore() {
        char buffer[4096];
        const ssize_t n = read(err_, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        err.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int in_ = -1;
    int err_ = -1;
    int status_ = -1;
};

} // namespace arbolink::test
