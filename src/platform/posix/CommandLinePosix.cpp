#include "platform/CommandLine.h"

namespace dovrel {

namespace {

std::vector<std::wstring> stored;

}  // namespace

std::vector<std::wstring> ProgramArguments() {
    return stored;
}

void SetProgramArguments(std::vector<std::wstring> arguments) {
    stored = std::move(arguments);
}

}  // namespace dovrel
