#include <gtest/gtest.h>

#include "app/TextFileLines.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "shellext/ContextMenuModel.h"
#include "shellext/SelectionFixture.h"

namespace dovrel::shellext {
namespace {

TEST(ContextMenuModel, MenuItemsOnlyForNormalAndExplorerRequests) {
    const struct {
        std::uint32_t flags;
        bool wanted;
    } cases[] = {
        {0x000, true},   // CMF_NORMAL
        {0x004, true},   // CMF_EXPLORE
        {0x005, true},   // CMF_EXPLORE with CMF_DEFAULTONLY
        {0x100, true},   // CMF_EXTENDEDVERBS leaves the low bits clear
        {0x001, false},  // CMF_DEFAULTONLY
        {0x002, false},  // CMF_VERBSONLY
        {0x008, false},  // CMF_NOVERBS
        {0x010, true},   // CMF_CANRENAME is above the low four bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(WantsMenuItems(c.flags), c.wanted) << c.flags;
}

TEST(ContextMenuModel, ThreeCommandsMakeFiveEntriesBetweenSeparators) {
    test::SelectionFixture fx;
    TContextMenuModel model;
    model.SetSelection({fx.File(L"report.ENC")});
    model.BuildOffered();
    const auto entries = model.MenuEntries(7);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries.front().operation, nullptr);
    EXPECT_EQ(entries.back().operation, nullptr);
    const wchar_t* names[] = {L"TEncrypt", L"THide", L"TShred"};
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].position, 7 + i);
        if (i == 0 || i == 4)
            continue;
        ASSERT_NE(entries[i].operation, nullptr);
        EXPECT_EQ(entries[i].operation->ClassName(), names[i - 1]);
        EXPECT_EQ(entries[i].commandOffset, i - 1);
    }
}

TEST(ContextMenuModel, NothingApplicableMeansNoEntriesAtAll) {
    test::SelectionFixture fx;
    TContextMenuModel model;
    model.SetSelection({fx.Path(L"gone.txt")});
    model.BuildOffered();
    EXPECT_TRUE(model.Offered().empty());
    EXPECT_TRUE(model.MenuEntries(0).empty());
}

TEST(ContextMenuModel, TheOfferedCommandsStayInsideTheGrantedIdentifiers) {
    test::SelectionFixture fx;
    TContextMenuModel model;
    model.SetSelection({fx.File(L"a.enc")});
    model.BuildOffered(2);
    ASSERT_EQ(model.Offered().size(), 2u);
    EXPECT_EQ(model.Offered()[1]->ClassName(), L"TEncrypt");
    EXPECT_EQ(model.OfferedAt(2), nullptr);
}

class ContextMenuInvoke : public testing::Test {
protected:
    void SetUp() override {
        registry.WriteString(TRootKey::CurrentUser, L"Software\\Kestrane\\Dovrel\\", L"AppPath",
                             L"C:\\Dovrel\\");
    }
    TLaunchContext Context() {
        return {registry,
                [this](const std::wstring& file, const std::wstring& parameters,
                       const std::wstring&) { started.push_back(file + L" " + parameters); }};
    }

    test::SelectionFixture fx;
    TMemoryRegistry registry;
    std::vector<std::wstring> started;
};

TEST_F(ContextMenuInvoke, WritesTheWholeSelectionThenStartsTheProgramWithTheSwitch) {
    const std::vector<std::wstring> selection = {fx.File(L"notes.txt"), fx.File(L"old.enc"),
                                                 fx.Path(L"gone")};
    TContextMenuModel model;
    model.SetSelection(selection);
    model.BuildOffered();
    const std::wstring listFolder = fx.Path(L"AppData/Dovrel/");
    // Decrypt applies to one of them only; the list holds all three.
    ASSERT_TRUE(model.Invoke(0, listFolder, Context()));
    EXPECT_EQ(ReadTextFileLines(listFolder + L"todo"), selection);
    EXPECT_EQ(started, std::vector<std::wstring>{L"C:\\Dovrel\\Dovrel.exe /decrypt"});
}

TEST_F(ContextMenuInvoke, ASecondCommandReplacesTheListOfTheFirst) {
    const std::wstring listFolder = fx.Folder(L"data") + kPathDelim;
    TContextMenuModel first;
    first.SetSelection({fx.File(L"one with a long name.txt"), fx.File(L"two.txt")});
    first.BuildOffered();
    ASSERT_TRUE(first.Invoke(2, listFolder, Context()));
    TContextMenuModel second;
    second.SetSelection({fx.File(L"b.txt")});
    second.BuildOffered();
    ASSERT_TRUE(second.Invoke(0, listFolder, Context()));
    EXPECT_EQ(ReadTextFileLines(listFolder + L"todo"),
              std::vector<std::wstring>{fx.Path(L"b.txt")});
    EXPECT_EQ(GetAttributeData(listFolder + L"todo")->size,
              static_cast<std::int64_t>(fx.Path(L"b.txt").size() + 2));
    EXPECT_EQ(started, (std::vector<std::wstring>{L"C:\\Dovrel\\Dovrel.exe /shred",
                                                  L"C:\\Dovrel\\Dovrel.exe /encrypt"}));
}

TEST_F(ContextMenuInvoke, AnOffsetThatNamesNoCommandDoesNothing) {
    TContextMenuModel model;
    model.SetSelection({fx.File(L"a.txt")});
    const std::wstring listFolder = fx.Path(L"data/");
    EXPECT_FALSE(model.Invoke(0, listFolder, Context())) << "no menu was built yet";
    model.BuildOffered();
    EXPECT_FALSE(model.Invoke(3, listFolder, Context()));
    EXPECT_FALSE(GetAttributeData(listFolder + L"todo"));
    EXPECT_TRUE(started.empty());
}

TEST_F(ContextMenuInvoke, AListThatCannotBeWrittenStartsNothing) {
    TContextMenuModel model;
    model.SetSelection({fx.File(L"a.txt")});
    model.BuildOffered();
    // A file where the data folder should be.
    const std::wstring blocked = fx.File(L"blocked") + kPathDelim;
    EXPECT_THROW(model.Invoke(0, blocked + L"Dovrel" + kPathDelim, Context()), Error);
    EXPECT_THROW(model.Invoke(0, blocked, Context()), Error);
    EXPECT_TRUE(started.empty());
}

}  // namespace
}  // namespace dovrel::shellext
