#include <gtest/gtest.h>

#include "app/AppFolders.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

TEST(AppFolders, DataFolderGetsOneTrailingSeparatorAndExists) {
    test::TempFolder temp;
    const std::wstring deep = temp.Path(L"Roaming") + kPathDelim + L"Dovrel";
    InitAppFolders(deep);
    EXPECT_EQ(GetDataFolder(), deep + kPathDelim);
    EXPECT_TRUE(GetAttributeData(GetDataFolder())->IsFolder());
    SetDataFolder(deep + kPathDelim);
    EXPECT_EQ(GetDataFolder(), deep + kPathDelim) << "a trailing separator is kept, not doubled";
}

TEST(AppFolders, ProgramFolderIsTheFolderOfTheRunningProgram) {
    test::TempFolder temp;
    InitAppFolders(temp.Folder());
    const std::wstring program = ModulePath();
    EXPECT_EQ(GetAppFolder(), program.substr(0, program.find_last_of(kPathDelim) + 1));
}

}  // namespace
}  // namespace dovrel
