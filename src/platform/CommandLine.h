#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The program's arguments after its own path: split by the Windows rules from the command
// line on Windows; elsewhere the argv that main handed to SetProgramArguments.
std::vector<std::wstring> ProgramArguments();
void SetProgramArguments(std::vector<std::wstring> arguments);

// A command line split by the rules of the Windows shell, the program's path first. The path
// ends at the next quote when it opens with one, else at the first blank, and takes no
// escapes. In the arguments after it blanks outside quotes separate; 2n backslashes before a
// quote give n backslashes and the quote opens or closes a quoted part, 2n+1 give n and a
// literal quote; a quote right after a closing one is a literal quote and the quotes stay closed;
// other backslashes are kept. Portable, so that the rule is tested and fuzzed on every system.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

}  // namespace dovrel
