// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CaseClashSet.h"

#include "core/rFile/RestoreMessages.h"
#include "fs/Utf8Path.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>

namespace arbolink::test {

namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The renamed files the closing message names: the path asked for, and the one taken.
std::map<std::string, std::string> RenamedIn(const std::string& closing) {
    std::map<std::string, std::string> renamed;
    std::istringstream lines(closing);
    const std::string arrow = msg::kRenamedArrow;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find(arrow);
        if (at != std::string::npos) {
            renamed[line.substr(0, at)] = line.substr(at + arrow.size());
        }
    }
    return renamed;
}

} // namespace

std::vector<SetFile> CaseClashFiles(bool unicodeForms) {
    std::vector<SetFile> files{
        {"", "A.txt", "s1", 1, "capital A"},
        {"", "a.txt", "s2", 1, "small a"},
        {"Docs\\", "report.txt", "s3", 1, "report of Docs"},
        {"docs\\", "report.txt", "s4", 1, "report of docs"},
    };
    if (unicodeForms) {
        files.push_back({"", "caf\xc3\xa9.txt", "s5", 1, "composed"});
        files.push_back({"", "cafe\xcc\x81.txt", "s6", 1, "decomposed"});
    }
    return files;
}

std::size_t ExpectEveryFileBack(const std::string& out, const std::string& closing,
                                const std::vector<SetFile>& files) {
    const std::map<std::string, std::string> renamed = RenamedIn(closing);
    for (const SetFile& file : files) {
        std::string relative = file.folder + file.name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        relative = PlatformForm(relative);
        const auto found = renamed.find(relative);
        const std::string at = found == renamed.end() ? relative : found->second;
        EXPECT_EQ(Contents(out + "/" + at), file.contents) << relative << " at " << at;
    }
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(PathOf(out))) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(count, files.size()) << closing;
    return renamed.size();
}

} // namespace arbolink::test
