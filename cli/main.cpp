// arbolink-cli: divide and restore from a terminal and from scripts.
#include "Cli.h"
#include "Terminal.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    arbolink::cli::CatchInterrupt();
    return arbolink::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), {});
}
