#pragma once

#include <string>

#include "CliArguments.h"

namespace dovrel::cli {

// The password bytes for a run: the whole password file as stored, one line of standard
// input without its line end, or what the user types at a terminal prompt without echo
// (twice when `confirm`), converted to the ANSI code page as the wizard does. Raises
// TUsageError when there is no source and dovrel::Error when the file cannot be read or
// the two entries differ.
std::string ObtainPassword(const TCliOptions& options, bool confirm);

}  // namespace dovrel::cli
