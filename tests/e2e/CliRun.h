// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running arbolink-cli's command line in the test's process, with its standard input fed from
// a text and its standard output and error caught, and comparing folder trees.

#include <map>
#include <string>
#include <vector>

namespace arbolink::test {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs the command line (without the program's name) with input as standard input.
CliResult RunCliWith(const std::vector<std::string>& args, const std::string& input = "");

// Every folder and file below root by its relative path: a file maps to its contents, a
// folder to "<folder>".
std::map<std::string, std::string> TreeOf(const std::string& root);

// Contents of a pseudo-random kind, the same for the same seed.
std::string Contents(std::size_t bytes, unsigned seed);

} // namespace arbolink::test
