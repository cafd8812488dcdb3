#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace dovrel::shellext {

// The paths of a CF_HDROP list in the order the shell gave them, each whole, however long.
std::vector<std::wstring> ReadDroppedPaths(HDROP drop);

}  // namespace dovrel::shellext
