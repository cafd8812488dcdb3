#pragma once

#include <string>
#include <vector>

namespace dovrel {

// The program's arguments after its own path: split by the Windows rules from the command
// line on Windows; elsewhere the argv that main handed to SetProgramArguments.
std::vector<std::wstring> ProgramArguments();
void SetProgramArguments(std::vector<std::wstring> arguments);

}  // namespace dovrel
