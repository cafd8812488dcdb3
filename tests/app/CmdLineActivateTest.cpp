#include <gtest/gtest.h>

#include "app/CmdLineActivate.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

TEST(LoadPreselectedItems, NewLinesGoInFrontOfTheOldOnes) {
    test::TempFolder temp;
    PreselectedItems().clear();
    WriteBytes(temp.Path(L"todo"), "C:\\a.txt\r\nC:\\Docs\r\n");
    LoadPreselectedItems(temp.Folder());
    // UTF-16 with its byte-order mark, read the second time.
    WriteBytes(temp.Path(L"todo"), std::string("\xFF\xFE"
                                               "D\0:\0\\\0\r\0\n\0",
                                               12));
    LoadPreselectedItems(temp.Folder());
    EXPECT_EQ(PreselectedItems(), (std::vector<std::wstring>{L"D:\\", L"C:\\a.txt", L"C:\\Docs"}));
    PreselectedItems().clear();
}

TEST(LoadPreselectedItems, AMissingListRaisesTheOpenErrorAndKeepsTheItems) {
    test::TempFolder temp;
    PreselectedItems() = {L"kept"};
    EXPECT_THROW(LoadPreselectedItems(temp.Folder()), Error);
    EXPECT_EQ(PreselectedItems(), std::vector<std::wstring>{L"kept"});
    PreselectedItems().clear();
}

}  // namespace
}  // namespace dovrel
