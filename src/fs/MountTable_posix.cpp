// SPDX-License-Identifier: GPL-3.0-or-later
// Reading /proc/self/mountinfo (see proc(5)).
#include "fs/MountTable.h"

#include <fstream>

namespace arbolink {

namespace {

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes a blank, tab, line feed and backslash in a path as "\ooo".
std::string DecodeField(std::string_view field) {
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            int code = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            decoded.push_back(static_cast<char>(code));
            i += 3;
        } else {
            decoded.push_back(field[i]);
        }
    }
    return decoded;
}

std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

} // namespace

bool ParseMountInfoLine(std::string_view line, MountEntry& entry) {
    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::vector<std::string_view> fields = SplitAtBlanks(line);
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") {
        ++separator;
    }
    if (separator + 2 >= fields.size() || fields[4].empty() || fields[4][0] != '/') {
        return false;
    }
    entry.device = std::string(fields[2]);
    entry.mountPoint = DecodeField(fields[4]);
    entry.fsType = DecodeField(fields[separator + 1]);
    entry.source = DecodeField(fields[separator + 2]);
    return true;
}

std::vector<MountEntry> ReadMountInfo(const std::string& mountInfoPath) {
    std::vector<MountEntry> table;
    std::ifstream in(mountInfoPath);
    std::string line;
    while (std::getline(in, line)) {
        MountEntry entry;
        if (ParseMountInfoLine(line, entry)) {
            table.push_back(std::move(entry));
        }
    }
    return table;
}

bool IsAtOrBelow(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

const MountEntry* MountHolding(const std::vector<MountEntry>& table, const std::string& path) {
    const MountEntry* holder = nullptr;
    for (const MountEntry& entry : table) {
        if (IsAtOrBelow(path, entry.mountPoint) &&
            (holder == nullptr || entry.mountPoint.size() >= holder->mountPoint.size())) {
            holder = &entry;
        }
    }
    return holder;
}

} // namespace arbolink
