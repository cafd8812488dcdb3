#include <windows.h>

#include "platform/CommandLine.h"

namespace dovrel {

std::vector<std::wstring> ProgramArguments() {
    std::vector<std::wstring> arguments = SplitCommandLine(GetCommandLineW());
    arguments.erase(arguments.begin());
    return arguments;
}

// Windows keeps the command line itself; nothing to store.
void SetProgramArguments(std::vector<std::wstring>) {}

}  // namespace dovrel
