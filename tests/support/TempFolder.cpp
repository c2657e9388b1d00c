#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace arbolink::test {

namespace stdfs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (stdfs::temp_directory_path() / "arbolink-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Permissions taken away by a test must not keep its files behind.
    for (auto it = stdfs::recursive_directory_iterator(path_, ignored);
         it != stdfs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add,
                               ignored);
        }
    }
    stdfs::remove_all(path_, ignored);
}

void TempFolder::WriteFile(const std::string& relative, const std::string& contents) const {
    stdfs::path file = stdfs::path(path_) / relative;
    stdfs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << contents;
    ASSERT_TRUE(out.good()) << "cannot write " << file;
}

void TempFolder::MakeFolder(const std::string& relative) const {
    stdfs::create_directories(stdfs::path(path_) / relative);
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream in(stdfs::path(path_) / relative, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

} // namespace arbolink::test
