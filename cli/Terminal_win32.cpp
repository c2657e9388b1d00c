// The Windows console: its narrow arguments are in the ANSI code page, which cannot hold every
// name, so they are read again in UTF-16; its output is switched to UTF-8.
#include "Terminal.h"

#include "fs/WideText_win32.h"

#include <windows.h>

namespace arbolink::cli {

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

} // namespace arbolink::cli
