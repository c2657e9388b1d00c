// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// arbolink-cli plan: runs the planning of a divide on a folder and prints the plan.

#include "Arguments.h"
#include "core/Host.h"

#include <cstdio>

namespace arbolink::cli {

// Runs "plan" with its sorted command line. Prints the plan to out, as tab-separated rows or
// with --json as one JSON object; messages go through the host, usage errors to err. Answers
// the exit status.
int RunPlanCommand(const Arguments& parsed, Host& host, std::FILE* out, std::FILE* err);

} // namespace arbolink::cli
