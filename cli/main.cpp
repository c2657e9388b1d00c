// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli: divide and restore from a terminal and from scripts.
#include "Cli.h"
#include "Terminal.h"
#include "core/Language.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    arbolink::UseLanguage(arbolink::SystemLanguage());
    std::vector<std::string> args = arbolink::cli::StartTerminal(argc, argv);
    arbolink::cli::CatchInterrupt();
    return arbolink::cli::RunCli(args, {});
}
