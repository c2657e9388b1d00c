// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/FreeName.h"

namespace arbolink {

std::string NumberedName(const std::string& name, bool isFolder, int number) {
    std::size_t dot = isFolder ? std::string::npos : name.rfind('.');
    if (dot == 0) {
        dot = std::string::npos;
    }
    const std::string stem = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    return stem + " (" + std::to_string(number) + ")" + extension;
}

} // namespace arbolink
