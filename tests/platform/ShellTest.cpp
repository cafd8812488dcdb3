#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace dovrel {
namespace {

TEST(Shell, ModulePathIsThisProgram) {
    const std::wstring path = ModulePath();
    const auto data = GetAttributeData(path);
    ASSERT_TRUE(data) << "no file at the reported module path";
    EXPECT_FALSE(data->IsFolder());
    EXPECT_NE(path.find(L"dovrel_tests"), std::wstring::npos);
}

TEST(Shell, RoamingAppDataIsAFolderWithoutTrailingSeparator) {
    const std::wstring folder = RoamingAppDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_NE(folder.back(), L'/');
#ifdef _WIN32
    // Wine creates the folder with the prefix; elsewhere it may not exist yet.
    EXPECT_TRUE(GetAttributeData(folder)->IsFolder());
#endif
}

}  // namespace
}  // namespace dovrel
