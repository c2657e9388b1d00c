// Win32 backend of the shell launching: the shell opens an address, and a web page falls back
// to the browser registered for HTML documents.
#include "fs/Shell.h"

#include "fs/ClassesRoot_win32.h"
#include "fs/WideText_win32.h"

#include <cwchar>
#include <windows.h>

namespace arbolink {

namespace {

// ShellExecuteW answers a value above 32 when it started something.
bool ShellOpen(const std::string& target, int show) {
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, show));
    return result > 32;
}

// Starts a command line without waiting for the program.
void StartCommandLine(const std::string& commandLine) {
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

} // namespace

bool ReadClassesRootDefault(const std::string& key, std::string& value) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Widen(key).c_str(), 0, KEY_QUERY_VALUE, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    LSTATUS status = RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &bytes);
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        status = RegQueryValueExW(handle, nullptr, nullptr, &type,
                                  reinterpret_cast<BYTE*>(text.data()), &bytes);
    } else if (status == ERROR_SUCCESS) {
        status = ERROR_INVALID_DATA;
    }
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) {
        return false;
    }
    // The value is the text up to its first zero, whether or not it was stored with one.
    text.resize(std::wcslen(text.c_str()));
    value = Narrow(text);
    return true;
}

void OpenUrl(const std::string& address) {
    if (ShellOpen(address, SW_SHOW)) {
        return;
    }
    std::string documentClass;
    std::string commandLine;
    if (!ReadClassesRootDefault(".htm", documentClass) ||
        !ReadClassesRootDefault(documentClass + "\\shell\\open\\command", commandLine)) {
        return;
    }
    StartCommandLine(RemovePlaceholder(commandLine) + " " + address);
}

void OpenMailTo(const std::string& argument) {
    ShellOpen(MailToText(argument), SW_SHOWNORMAL);
}

} // namespace arbolink
