// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"

#include "Cli.h"
#include "fs/Utf8Path.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace arbolink::test {

namespace {

std::string Drain(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, n);
    }
    std::fclose(file);
    return text;
}

} // namespace

CliResult RunCliWith(const std::vector<std::string>& args, const std::string& input) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    CliResult result;
    result.code = cli::RunCli(args, {in, out, err});
    std::fclose(in);
    result.out = Drain(out);
    result.err = Drain(err);
    return result;
}

std::map<std::string, std::string> TreeOf(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(PathOf(root))) {
        const std::string relative = Utf8Of(std::filesystem::relative(entry.path(), PathOf(root)));
        if (entry.is_directory()) {
            tree[relative] = "<folder>";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream contents;
            contents << in.rdbuf();
            tree[relative] = contents.str();
        }
    }
    return tree;
}

std::string Contents(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::string text(bytes, '\0');
    for (char& c : text) {
        c = static_cast<char>(random() & 0xFF);
    }
    return text;
}

} // namespace arbolink::test
