// Lower case and comparison by the system's own case rules, on the UTF-16 form of the paths.
#include "fs/FolderListText.h"

#include <windows.h>

namespace arbolink {

namespace {

std::wstring Wide(const std::string& utf8) {
    int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

} // namespace

std::string FolderListText(const std::string& folder) {
    std::wstring wide = Wide(folder);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8(wide);
}

bool SameFolderListEntry(const std::string& a, const std::string& b) {
    std::wstring first = Wide(a);
    std::wstring second = Wide(b);
    return CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

} // namespace arbolink
