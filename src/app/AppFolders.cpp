#include "app/AppFolders.h"

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Shell.h"

namespace dovrel {

namespace {

// Set once on the UI thread before any other thread exists, read-only afterwards.
std::wstring appFolder;
std::wstring dataFolder;

}  // namespace

void InitAppFolders(const std::wstring& folder) {
    appFolder = ExtractFilePath(ModulePath());
    SetDataFolder(folder);
}

void SetDataFolder(const std::wstring& folder) {
    dataFolder = folder;
    if (dataFolder.empty() || dataFolder.back() != kPathDelim)
        dataFolder += kPathDelim;
    CreateFolderChain(dataFolder);
}

const std::wstring& GetAppFolder() {
    return appFolder;
}

const std::wstring& GetDataFolder() {
    return dataFolder;
}

}  // namespace dovrel
