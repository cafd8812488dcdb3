#pragma once

#include <string>

// The two folders every file of the program is found through: the program folder (what
// is installed with the program) and the data folder (what it writes for the user). Both
// end with a path separator; both are empty until InitAppFolders.
namespace dovrel {

// Sets the program folder from the running program's path, then SetDataFolder(dataFolder).
void InitAppFolders(const std::wstring& dataFolder);
// Stores `folder` with a trailing separator and creates it with every missing parent.
// Whether the creation worked is left to the code that writes there.
void SetDataFolder(const std::wstring& folder);

const std::wstring& GetAppFolder();
const std::wstring& GetDataFolder();

}  // namespace dovrel
