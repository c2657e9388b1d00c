// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/WideText_win32.h"

#include <algorithm>
#include <windows.h>

namespace arbolink {

namespace {

bool IsDriveLetterPath(std::wstring_view path) {
    return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/') &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsUncPath(std::wstring_view path) {
    return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
           path[2] != L'.';
}

} // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring WidePath(std::string_view utf8) {
    std::wstring path = Widen(utf8);
    if (path.size() < MAX_PATH - 12 || (!IsDriveLetterPath(path) && !IsUncPath(path))) {
        return path;
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return IsUncPath(path) ? L"\\\\?\\UNC\\" + path.substr(2) : L"\\\\?\\" + path;
}

} // namespace arbolink
