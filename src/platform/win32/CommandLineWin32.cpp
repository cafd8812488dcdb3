#include <windows.h>

#include <shellapi.h>

#include "platform/CommandLine.h"

namespace dovrel {

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv != nullptr && i < count; ++i)
        arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

// Windows keeps the command line itself; nothing to store.
void SetProgramArguments(std::vector<std::wstring>) {}

}  // namespace dovrel
