#pragma once

#include "CliArguments.h"

namespace dovrel::cli {

// hide, show and hidden: the hidden-items store of the wizard's data folder, guarded by
// the main password. Windows only; elsewhere they raise a usage error.
int RunHidingCommand(const TCliOptions& options);

}  // namespace dovrel::cli
