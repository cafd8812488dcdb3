#pragma once

#include <string>
#include <vector>

namespace dovrel::fuzz {

// Parses `args` as dovrel-cli's command line and checks what the parser promises: a usage
// error with a reason, or options that a command can run with.
void CheckCliArguments(const std::vector<std::wstring>& args);

}  // namespace dovrel::fuzz
