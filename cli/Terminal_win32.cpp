// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows console: its narrow arguments are in the ANSI code page, which cannot hold every
// name, so they are read again in UTF-16; its output is switched to UTF-8. Ctrl+C arrives
// through the console's control handler instead of a signal.
#include "Terminal.h"

#include "fs/WideText_win32.h"

#include <atomic>
#include <io.h>
#include <windows.h>

namespace arbolink::cli {

namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    // The second Ctrl+C goes to the default handler, which ends the program.
    return interrupted.exchange(true) ? FALSE : TRUE;
}

// True when a read of the pipe would not wait: it holds bytes, or its writer has closed it
// (the read then answers the end). A pipe that cannot be looked into, as Wine's pipes from
// the host system, is read at once and waits in the read.
bool PipeReady(HANDLE pipe) {
    DWORD available = 0;
    return !PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available > 0;
}

} // namespace

std::vector<std::string> StartTerminal(int, char**) {
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        args.push_back(Narrow(arguments[i]));
    }
    LocalFree(arguments);
    return args;
}

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

// The console has no TERM to look at; it redraws in place.
bool RedrawsInPlace(std::FILE* stream) {
    return IsTerminal(stream);
}

bool TerminalResized() {
    return true;
}

int TerminalColumns(std::FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(handle, &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0) {
            return columns;
        }
    }
    return 80;
}

void CatchInterrupt() {
    SetConsoleCtrlHandler(OnControl, TRUE);
}

bool Interrupted() {
    return interrupted.load();
}

int ReadAnswerByte(std::FILE* in) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(in)));
    // A console or pipe is waited on in short steps so that a Ctrl+C ends the question; a
    // file answers at once.
    while (!Interrupted()) {
        const DWORD type = GetFileType(handle);
        if (type == FILE_TYPE_CHAR && WaitForSingleObject(handle, 200) == WAIT_TIMEOUT) {
            continue;
        }
        if (type == FILE_TYPE_PIPE && !PipeReady(handle)) {
            Sleep(50);
            continue;
        }
        unsigned char byte = 0;
        const int n = _read(_fileno(in), &byte, 1);
        return n == 1 ? byte : EOF;
    }
    return EOF;
}

} // namespace arbolink::cli
