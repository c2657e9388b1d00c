#pragma once
// The terminal the command-line tool runs in.

#include <string>
#include <vector>

namespace arbolink::cli {

// Prepares the terminal for UTF-8 text and answers the program's arguments after its name,
// in UTF-8 whatever the system's code page.
std::vector<std::string> StartTerminal(int argc, char** argv);

} // namespace arbolink::cli
