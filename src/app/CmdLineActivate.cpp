#include "app/CmdLineActivate.h"

#include <atomic>

#include "app/TextFileLines.h"

namespace dovrel {

namespace {

std::vector<std::wstring> preselected;
std::atomic<bool> startedFromCommandLine{false};

}  // namespace

std::vector<std::wstring>& PreselectedItems() {
    return preselected;
}

bool StartedFromCommandLine() {
    return startedFromCommandLine;
}

void SetStartedFromCommandLine() {
    startedFromCommandLine = true;
}

void LoadPreselectedItems(const std::wstring& dataFolder) {
    std::vector<std::wstring> items = ReadTextFileLines(dataFolder + L"todo");
    items.insert(items.end(), preselected.begin(), preselected.end());
    preselected = std::move(items);
}

}  // namespace dovrel
