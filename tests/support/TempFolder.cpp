// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempFolder.h"

#include "fs/Folders.h"
#include "fs/Utf8Path.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace arbolink::test {

namespace stdfs = std::filesystem;

std::string PlatformForm(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

TempFolder::TempFolder() {
    std::error_code error;
    const stdfs::path base = stdfs::temp_directory_path(error);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        stdfs::path candidate = base / ("arbolink-test-" + std::to_string(random() % 1000000000));
        if (stdfs::create_directory(candidate, error)) {
            path_ = Utf8Of(candidate);
        }
    }
    if (path_.empty()) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Permissions taken away by a test must not keep its files behind.
    for (auto it = stdfs::recursive_directory_iterator(PathOf(path_), ignored);
         it != stdfs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_symlink(ignored)) {
            continue;
        }
        stdfs::permissions(it->path(),
                           it->is_directory(ignored) ? stdfs::perms::owner_all
                                                     : stdfs::perms::owner_write,
                           stdfs::perm_options::add, ignored);
    }
    stdfs::remove_all(PathOf(path_), ignored);
}

std::string TempFolder::operator/(const std::string& relative) const {
    return path_ + kPathSeparator + PlatformForm(relative);
}

void TempFolder::WriteFile(const std::string& relative, const std::string& contents) const {
    stdfs::path file = PathOf(*this / relative);
    stdfs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << contents;
    ASSERT_TRUE(out.good()) << "cannot write " << Utf8Of(file);
}

void TempFolder::MakeFolder(const std::string& relative) const {
    stdfs::create_directories(PathOf(*this / relative));
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream in(PathOf(*this / relative), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

} // namespace arbolink::test
