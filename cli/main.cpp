// arbolink-cli: the divide planning from a terminal.
#include "PlanCommand.h"
#include "Terminal.h"
#include "TerminalHost.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args = arbolink::cli::StartTerminal(argc, argv);
    if (args.empty() || args.front() != "plan") {
        std::fputs("使い方: arbolink-cli plan SOURCE --cluster-size BYTES --free-bytes BYTES "
                   "[--percent P] [--drive-root] [--program FILE]\n",
                   stderr);
        return 2;
    }
    arbolink::cli::TerminalHost host;
    args.erase(args.begin());
    return arbolink::cli::RunPlanCommand(args, host, stdout, stderr);
}
