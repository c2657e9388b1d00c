#include "Terminal.h"

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>

namespace arbolink::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

} // namespace

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
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

} // namespace arbolink::cli
