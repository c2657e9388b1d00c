// SPDX-License-Identifier: GPL-3.0-or-later
#include "Terminal.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

namespace arbolink::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t resized = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

void OnResize(int) {
    resized = 1;
}

} // namespace

// A POSIX terminal takes the bytes as they are: the arguments are the locale's text already.
std::vector<std::string> StartTerminal(int argc, char** argv) {
    struct sigaction action {};
    action.sa_handler = OnResize;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGWINCH, &action, nullptr);
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

bool RedrawsInPlace(std::FILE* stream) {
    const char* term = std::getenv("TERM");
    return IsTerminal(stream) && term != nullptr && *term != '\0' &&
           std::string_view(term) != "dumb";
}

bool TerminalResized() {
    if (resized == 0) {
        return false;
    }
    resized = 0;
    return true;
}

int TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

void CatchInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read from the terminal must return, so that a question ends.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() {
    return interrupted != 0;
}

int ReadAnswerByte(std::FILE* in) {
    pollfd wanted{fileno(in), POLLIN, 0};
    for (;;) {
        if (Interrupted()) {
            return EOF;
        }
        const int ready = poll(&wanted, 1, 200);
        if (ready < 0 && errno != EINTR) {
            return EOF;
        }
        if (ready <= 0 || Interrupted()) {
            continue;
        }
        unsigned char byte = 0;
        const ssize_t n = read(wanted.fd, &byte, 1);
        if (n == 1) {
            return byte;
        }
        if (n == 0 || errno != EINTR) {
            return EOF;
        }
    }
}

} // namespace arbolink::cli
