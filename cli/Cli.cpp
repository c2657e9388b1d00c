#include "Cli.h"

#include "CliMessages.h"
#include "ExitStatus.h"
#include "PlanCommand.h"
#include "Product.h"
#include "TerminalHost.h"

#include <algorithm>

namespace arbolink::cli {

int ReportUsage(std::FILE* err, const std::string& command, const UsageError& error) {
    std::fputs(msg::kUsagePrefix, err);
    std::fprintf(err, error.pattern, error.subject.c_str());
    const std::string program =
        command.empty() ? msg::kProgramName : std::string(msg::kProgramName) + " " + command;
    std::fprintf(err, msg::kHelpHint, program.c_str());
    return kExitUsage;
}

int RunCli(const std::vector<std::string>& args, const Streams& io) {
    if (args.empty()) {
        return ReportUsage(io.err, "", {msg::kNoCommand, ""});
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "help") {
        std::fputs(msg::kHelp, io.out);
        return kExitSuccess;
    }
    if (command == "--version") {
        std::fprintf(io.out, "%s (%s) %s\n", msg::kProgramName, kProductName, kVersionText);
        return kExitSuccess;
    }
    if (command == "divide") {
        return RunDivideCommand(rest, io);
    }
    if (command == "restore") {
        return RunRestoreCommand(rest, io);
    }
    if (command == "info") {
        return RunInfoCommand(rest, io);
    }
    if (command == "plan") {
        if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
            std::fputs(msg::kPlanUsage, io.out);
            std::fputs(msg::kPlanHelp, io.out);
            return kExitSuccess;
        }
        // The planner's output is for scripts: off a terminal it writes nothing more.
        TerminalOptions quiet;
        quiet.progressLines = false;
        TerminalHost host(io.in, io.err, quiet);
        return RunPlanCommand(rest, host, io.out, io.err);
    }
    return ReportUsage(io.err, "", {msg::kUnknownCommand, command});
}

} // namespace arbolink::cli
