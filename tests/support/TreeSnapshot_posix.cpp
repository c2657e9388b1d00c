// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TreeSnapshot_posix.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace arbolink::test {

namespace stdfs = std::filesystem;

namespace {

std::string Contents(const stdfs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

SnapshotEntry EntryOf(const stdfs::path& path) {
    SnapshotEntry entry;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        entry.bytes = "(unreadable)";
        return entry;
    }
    if (S_ISDIR(info.st_mode)) {
        entry.folder = true;
        return entry;
    }
    // A FIFO or device is never opened: reading it could wait or go on for ever.
    entry.bytes = S_ISLNK(info.st_mode)   ? "-> " + stdfs::read_symlink(path).string()
                  : S_ISREG(info.st_mode) ? Contents(path)
                                          : "(special " + std::to_string(info.st_mode) + ")";
    entry.mtimeNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    entry.permissions = info.st_mode & 0777;
    return entry;
}

std::string Describe(const SnapshotEntry& entry) {
    if (entry.folder) {
        return "folder";
    }
    std::ostringstream text;
    text << "file of " << entry.bytes.size() << " bytes, mtime " << entry.mtimeNs << " ns, mode "
         << std::oct << entry.permissions;
    return text.str();
}

} // namespace

TreeSnapshot SnapshotOf(const std::string& root) {
    TreeSnapshot snapshot;
    std::error_code error;
    for (auto it = stdfs::recursive_directory_iterator(root, error);
         it != stdfs::recursive_directory_iterator(); it.increment(error)) {
        snapshot[stdfs::relative(it->path(), root).generic_string()] = EntryOf(it->path());
    }
    if (error) {
        snapshot["(listing failed)"] = SnapshotEntry{};
    }
    return snapshot;
}

std::vector<std::string> Differences(const TreeSnapshot& expected, const TreeSnapshot& actual) {
    std::vector<std::string> lines;
    for (const auto& [path, entry] : expected) {
        auto found = actual.find(path);
        if (found == actual.end()) {
            lines.push_back("missing: " + path + " (" + Describe(entry) + ")");
        } else if (!(found->second == entry)) {
            const bool sameBytes = found->second.bytes == entry.bytes;
            lines.push_back("differs: " + path + " (expected " + Describe(entry) + ", found " +
                            Describe(found->second) +
                            (sameBytes ? ", same bytes)" : ", other bytes)"));
        }
    }
    for (const auto& [path, entry] : actual) {
        if (expected.find(path) == expected.end()) {
            lines.push_back("unexpected: " + path + " (" + Describe(entry) + ")");
        }
    }
    return lines;
}

} // namespace arbolink::test
