#pragma once
// arbolink-cli: the subcommands and the words that choose them.

#include "Arguments.h"

#include <cstdio>
#include <string>
#include <vector>

namespace arbolink::cli {

// Where a subcommand reads answers from and writes its output (standard output) and its
// messages and progress (standard error) to.
struct Streams {
    std::FILE* in = stdin;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
};

// Runs the command line without the program's name; answers the exit status.
int RunCli(const std::vector<std::string>& args, const Streams& io);

// Writes the one line that tells what is wrong with a command line and where its help is;
// answers the exit status of bad usage. command is empty for the tool as a whole.
int ReportUsage(std::FILE* err, const std::string& command, const UsageError& error);

int RunDivideCommand(const std::vector<std::string>& args, const Streams& io);
int RunRestoreCommand(const std::vector<std::string>& args, const Streams& io);
int RunInfoCommand(const std::vector<std::string>& args, const Streams& io);

} // namespace arbolink::cli
