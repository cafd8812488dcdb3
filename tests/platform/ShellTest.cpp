#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "support/TempFolder.h"

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

#ifdef _WIN32
// The program path is quoted, so a folder with blanks cannot start a program named after
// its first word.
TEST(Shell, StartHiddenStartsAQuotedProgramPathWithBlanksWithoutWaiting) {
    test::TempFolder temp;
    const std::wstring folder = temp.Path(L"with blanks");
    CreateFolderChain(folder);
    const std::wstring program = folder + L"\\cmd copy.exe";
    std::filesystem::copy_file(L"C:\\windows\\system32\\cmd.exe", program);
    const std::wstring marker = temp.Path(L"started.txt");
    ASSERT_EQ(StartHidden(L"\"" + program + L"\" /c echo started> \"" + marker + L"\""), 0u);
    for (int i = 0; i < 100 && !GetAttributeData(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(GetAttributeData(marker)) << "the started program left no trace";
}

TEST(Shell, StartHiddenReportsAProgramThatIsNotThere) {
    test::TempFolder temp;
    EXPECT_NE(StartHidden(L"\"" + temp.Path(L"missing.exe") + L"\" /activate"), 0u);
}
#endif

}  // namespace
}  // namespace dovrel
