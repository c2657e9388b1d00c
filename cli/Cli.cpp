// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include "CliMessages.h"
#include "ExitStatus.h"
#include "PlanCommand.h"
#include "Product.h"
#include "TerminalHost.h"
#include "core/Formatted.h"
#include "core/ProductMessages.h"

#include <algorithm>
#include <array>

namespace arbolink::cli {

namespace {

int RunPlan(const Arguments& parsed, const Streams& io) {
    // The planner's output is for scripts: off a terminal it writes nothing more.
    TerminalOptions quiet;
    quiet.progressLines = false;
    TerminalHost host(io.in, io.err, quiet);
    return RunPlanCommand(parsed, host, io.out, io.err);
}

const std::array<Command, 7>& Commands() {
    static const std::array<Command, 7> commands{{
        {"divide",
         {"--percent", "--program-copy", "--yes", "--empty-destination", "--disk-folders",
          "--capacity", "--cluster-size", "--no-verify", "--no-eject", "--pack", "--recovery-disks",
          "--burn"},
         msg::kDivideHelp,
         RunDivideCommand},
        {"burn", {"--from", "--burn", "--capacity", "--no-eject"}, msg::kBurnHelp, RunBurnCommand},
        {"restore",
         {"--yes", "--empty-destination", "--from"},
         msg::kRestoreHelp,
         RunRestoreCommand},
        {"info", {"--json", "--restore-to"}, msg::kInfoHelp, RunInfoCommand},
        {"verify", {"--from", "--json"}, msg::kVerifyHelp, RunVerifyCommand},
        {"rebuild", {"--from", "--disk"}, msg::kRebuildHelp, RunRebuildCommand},
        {"plan",
         {"--cluster-size", "--free-bytes", "--percent", "--drive-root", "--program", "--pack",
          "--json"},
         msg::kPlanHelp,
         RunPlan},
    }};
    return commands;
}

void PrintVersion(std::FILE* out) {
    std::fputs(Formatted(msg::kVersion, msg::kProgramName, kProductName, kVersionNumber,
                         kCopyrightLine, kLicenceNotice)
                   .c_str(),
               out);
}

// Runs the words after the program's name; output still buffered is flushed by the caller.
int Dispatch(const std::vector<std::string>& args, const Streams& io) {
    const bool named = !args.empty() && !args.front().starts_with('-');
    const Command* command = named ? FindCommand(args.front()) : nullptr;
    if (named && command == nullptr && args.front() != "help") {
        return ReportUsage(io.err, "", {msg::kUnknownCommand, args.front()});
    }
    // Before a command word only --help and --version mean something.
    const std::vector<std::string> rest(args.begin() + (named ? 1 : 0), args.end());
    Arguments parsed;
    std::optional<UsageError> error =
        ParseArguments(rest, command ? command->options : std::vector<std::string_view>{}, parsed);
    const std::string_view name = command ? command->name : "";
    if (!error && !parsed.help && !parsed.version && command == nullptr && !named) {
        error = UsageError{msg::kNoCommand, ""};
    }
    if (error) {
        return ReportUsage(io.err, name, *error);
    }
    if (parsed.version) {
        PrintVersion(io.out);
        return kExitSuccess;
    }
    if (parsed.help || command == nullptr) {
        std::fputs((command ? command->help : msg::kHelp).c_str(), io.out);
        return kExitSuccess;
    }
    return command->run(parsed, io);
}

} // namespace

const Command* FindCommand(std::string_view name) {
    const auto& commands = Commands();
    auto found = std::find_if(commands.begin(), commands.end(),
                              [&](const Command& c) { return c.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

int ReportUsage(std::FILE* err, std::string_view command, const UsageError& error) {
    std::fputs(msg::kUsagePrefix, err);
    std::fputs(Formatted(error.pattern.get(), error.subject).c_str(), err);
    std::string program = msg::kProgramName;
    if (!command.empty()) {
        program += ' ';
        program += command;
    }
    std::fputs(Formatted(msg::kHelpHint, program).c_str(), err);
    return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, const Streams& io) {
    const int code = Dispatch(args, io);
    // A full disk or a closed pipe shows only here: the output was buffered until now.
    if (std::fflush(io.out) != 0 || std::ferror(io.out) != 0) {
        std::fputs(msg::kOutputFailed.c_str(), io.err);
        return code == kExitSuccess ? kExitFailure : code;
    }
    return code;
}

} // namespace arbolink::cli
