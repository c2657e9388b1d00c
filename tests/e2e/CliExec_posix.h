// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a forked child of a test by the built arbolink-cli.

#include <string>
#include <unistd.h>
#include <vector>

namespace arbolink::test {

// Runs arbolink-cli with args in place of the calling (child) process; never returns; status
// 127 when the program could not be started.
[[noreturn]] inline void ExecCli(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(ARBOLINK_CLI_PROGRAM)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

} // namespace arbolink::test
