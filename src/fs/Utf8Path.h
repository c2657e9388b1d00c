// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// std::filesystem paths of the program's UTF-8 texts. A path made from a plain std::string
// takes it to be in the ANSI code page on Windows, which cannot hold every name; these go
// through UTF-8 on every platform (on POSIX the bytes stay as they are).

#include <filesystem>
#include <string>
#include <string_view>

namespace arbolink {

inline std::filesystem::path PathOf(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace arbolink
