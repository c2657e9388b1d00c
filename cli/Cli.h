// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// arbolink-cli: the subcommands and the words that choose them.

#include "Arguments.h"
#include "core/Phrase.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink::cli {

// Where a subcommand reads answers from and writes its output (standard output) and its
// messages and progress (standard error) to.
struct Streams {
    std::FILE* in = stdin;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
};

// A subcommand: its word, the options it takes besides --help and --version, its help text
// and what runs it once its command line was found sound.
struct Command {
    std::string_view name;
    std::vector<std::string_view> options;
    const Phrase& help;
    int (*run)(const Arguments& parsed, const Streams& io);
};

// The subcommand of that word, or nullptr.
const Command* FindCommand(std::string_view name);

// Runs the command line without the program's name; answers the exit status. Output that
// could not be written to standard output is a failure, told on standard error.
int RunCli(const std::vector<std::string>& args, const Streams& io);

// Writes the one line that tells what is wrong with a command line and where its help is;
// answers the exit status of bad usage. command is empty for the tool as a whole.
int ReportUsage(std::FILE* err, std::string_view command, const UsageError& error);

int RunDivideCommand(const Arguments& parsed, const Streams& io);
int RunRestoreCommand(const Arguments& parsed, const Streams& io);
int RunInfoCommand(const Arguments& parsed, const Streams& io);
int RunVerifyCommand(const Arguments& parsed, const Streams& io);
int RunRebuildCommand(const Arguments& parsed, const Streams& io);
int RunBurnCommand(const Arguments& parsed, const Streams& io);

} // namespace arbolink::cli
