#pragma once

#include <string>
#include <vector>

namespace dovrel {

// The items the context menu handed over in the list file "todo", in file order; they join
// the runs of the wizard path the command line opened. Read by a run while it prepares;
// the UI thread does not change the list meanwhile.
std::vector<std::wstring>& PreselectedItems();

// Set once a wizard path was opened from the command line; never cleared. The first run
// that finishes normally then ends the program.
bool StartedFromCommandLine();
void SetStartedFromCommandLine();

// Replaces PreselectedItems with the lines of the list file in `dataFolder`, followed by
// what the list held before. Raises the file-open error when the file cannot be read.
void LoadPreselectedItems(const std::wstring& dataFolder);

}  // namespace dovrel
