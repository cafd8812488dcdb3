#pragma once

#include "CliArguments.h"

namespace dovrel::cli {

// Runs a parsed command line once the catalogues are built; returns the exit code.
int RunCommand(const TCliOptions& options);

}  // namespace dovrel::cli
