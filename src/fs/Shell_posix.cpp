// POSIX backend of shell launching: the desktop's own opener, xdg-open, takes web pages and
// mailto: addresses alike and hands them to the user's browser or mail program.
#include "fs/Shell.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace arbolink {

namespace {

constexpr const char* kOpener = "xdg-open";

ProgramStarter& InstalledStarter() {
    static ProgramStarter starter;
    return starter;
}

void Open(const std::string& address) {
    const std::vector<std::string> arguments{kOpener, address};
    if (const ProgramStarter& starter = InstalledStarter()) {
        starter(arguments);
    } else {
        StartDetached(arguments);
    }
}

// Spawn settings for the started program: a clean signal state and a session of its own, so
// that neither our blocked signals nor a Ctrl+C in our terminal reach the browser.
class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                   POSIX_SPAWN_SETSID);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// Runs in the forked intermediate process: spawns the program, tells the parent through the
// pipe whether that worked, and ends at once, so that the program is handed to init (or the
// session's subreaper), which reaps it. Only calls that are safe after fork are made here.
[[noreturn]] void SpawnAndLeave(char* const* argv, const SpawnAttributes& attributes, int report) {
    pid_t program = 0;
    const char started =
        posix_spawnp(&program, argv[0], nullptr, attributes.get(), argv, environ) == 0;
    [[maybe_unused]] ssize_t written = write(report, &started, 1);
    _exit(0);
}

char ReadReport(int report) {
    char started = 0;
    ssize_t count = 0;
    do {
        count = read(report, &started, 1);
    } while (count == -1 && errno == EINTR);
    return count == 1 ? started : 0;
}

// The intermediate process ends right after the spawn, so this wait is short. Where SIGCHLD
// is ignored the system has reaped it already and waitpid answers ECHILD, which is fine.
void Reap(pid_t intermediate) {
    while (waitpid(intermediate, nullptr, 0) == -1 && errno == EINTR) {
    }
}

} // namespace

bool StartDetached(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    SpawnAttributes attributes;

    // The result travels through a pipe rather than the exit status, which is lost where
    // SIGCHLD is ignored. Close-on-exec keeps the program from holding the pipe open.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t intermediate = fork();
    if (intermediate == 0) {
        close(report[0]);
        SpawnAndLeave(argv.data(), attributes, report[1]);
    }
    close(report[1]);
    const char started = intermediate == -1 ? 0 : ReadReport(report[0]);
    close(report[0]);
    if (intermediate != -1) {
        Reap(intermediate);
    }
    return started == 1;
}

ProgramStarter SetProgramStarter(ProgramStarter starter) {
    return std::exchange(InstalledStarter(), std::move(starter));
}

void OpenUrl(const std::string& address) {
    Open(address);
}

void OpenMailTo(const std::string& argument) {
    Open(MailToText(argument));
}

} // namespace arbolink
