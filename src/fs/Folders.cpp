// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Folders.h"

#include "fs/Utf8Path.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <utility>

namespace arbolink {

std::string AddBackslash(const std::string& path) {
    // A UTF-8 trail byte is never below 0x80, so a final separator byte is always a
    // separator character of its own.
    if (!path.empty() && path.back() == kPathSeparator) {
        return path;
    }
    return path + kPathSeparator;
}

std::string ToIndexFolder(std::string_view platformFolder) {
    std::string folder(platformFolder);
    std::replace(folder.begin(), folder.end(), kPathSeparator, kIndexSeparator);
    return folder;
}

std::string FromIndexFolder(std::string_view indexFolder) {
    std::string folder;
    AppendFromIndexFolder(folder, indexFolder);
    return folder;
}

void AppendFromIndexFolder(std::string& path, std::string_view indexFolder) {
    const std::size_t start = path.size();
    path.append(indexFolder);
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(start), path.end(), kIndexSeparator,
                 kPathSeparator);
}

namespace {

constexpr std::string_view kTemporaryPrefix = ".arbolink-copy-";
constexpr std::size_t kTemporaryTagLength = 6;
constexpr std::string_view kTagCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The folder as the file system resolves it, for comparing two folders.
std::filesystem::path Resolved(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::path path = std::filesystem::weakly_canonical(PathOf(folder), ignored);
    return path.empty() ? PathOf(folder) : path;
}

bool IsWithin(const std::filesystem::path& inner, const std::filesystem::path& outer) {
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end() && !o->empty(); ++o, ++i) {
        if (i == inner.end() || !SameFileName(Utf8Of(*i), Utf8Of(*o))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ProgramCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/') {
        folder = cache;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        folder = AddBackslash(home) + ".cache";
    } else {
        return {};
    }
    return AddBackslash(AddBackslash(folder) + "arbolink");
}

std::string TemporaryName() {
    // Seeded once: a name only has to differ from the others in its folder, and a clash is
    // met by the caller's exclusive create and another name.
    static std::mt19937_64 random{std::random_device{}()};
    std::string name(kTemporaryPrefix);
    std::uint64_t bits = random();
    for (std::size_t i = 0; i < kTemporaryTagLength; ++i) {
        name += kTagCharacters[bits % kTagCharacters.size()];
        bits /= kTagCharacters.size();
    }
    return name;
}

bool IsTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryTagLength &&
           name.starts_with(kTemporaryPrefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(kTemporaryPrefix.size()),
                       name.end(),
                       [](char c) { return kTagCharacters.find(c) != kTagCharacters.npos; });
}

std::string NearestExistingFolder(const std::string& path) {
    std::filesystem::path candidate = PathOf(path);
    if (!candidate.is_absolute()) {
        return {};
    }
    while (!EntryExists(Utf8Of(candidate))) {
        std::filesystem::path parent = candidate.parent_path();
        if (parent == candidate) {
            return {};
        }
        candidate = std::move(parent);
    }
    std::string nearest = Utf8Of(candidate);
    return FolderExists(nearest) ? nearest : std::string();
}

bool FoldersOverlap(const std::string& a, const std::string& b) {
    const std::filesystem::path first = Resolved(a);
    const std::filesystem::path second = Resolved(b);
    return IsWithin(first, second) || IsWithin(second, first);
}

bool FolderWithin(const std::string& inner, const std::string& outer) {
    return IsWithin(Resolved(inner), Resolved(outer));
}

} // namespace arbolink
