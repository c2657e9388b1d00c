#pragma once
// arbolink-cli plan: runs the planning of a divide on a folder and prints the plan.

#include "core/Host.h"

#include <cstdio>
#include <string>
#include <vector>

namespace arbolink::cli {

// Runs "plan" with the arguments after the word plan. Prints the plan to out; messages and
// usage errors go through the host and err. Answers the exit code.
int RunPlanCommand(const std::vector<std::string>& args, Host& host, std::FILE* out,
                   std::FILE* err);

} // namespace arbolink::cli
