// A POSIX terminal takes the bytes as they are: the arguments are the locale's text already.
#include "Terminal.h"

namespace arbolink::cli {

std::vector<std::string> StartTerminal(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace arbolink::cli
