#include <gtest/gtest.h>

#include "app/AppFolders.h"
#include "hiding/HiddenConfig.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

class HiddenConfig : public testing::Test {
protected:
    std::wstring BaseDat() const { return temp_.Path(L"base.dat"); }

    void WriteBaseDat(const std::string& text) {
        TFileStream file(BaseDat(), TFileMode::fmCreate);
        file.WriteBuffer(text.data(), text.size());
    }
    std::string ReadBaseDat() const {
        TFileStream file(BaseDat(), TFileMode::fmOpenRead);
        std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
        file.ReadBuffer(bytes.data(), bytes.size());
        return bytes;
    }
    std::vector<std::wstring> Sections() const { return OpenIniFile(BaseDat())->ReadSections(); }

    // What another start of the program would find in the file.
    std::unique_ptr<THiddenConfig> Reloaded() const {
        auto store = std::make_unique<THiddenConfig>(temp_.Folder());
        store->Load();
        return store;
    }

    test::TempFolder temp_;
    THiddenConfig store_{temp_.Folder()};
};

TEST_F(HiddenConfig, FirstStartCreatesAnEmptyFile) {
    EXPECT_FALSE(GetAttributeData(BaseDat()));
    store_.Load();
    EXPECT_EQ(store_.GetFileName(), BaseDat());
    const auto data = GetAttributeData(BaseDat());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size, 0);
    EXPECT_EQ(store_.Password, L"");
    EXPECT_EQ(store_.Count(), 0);
}

TEST_F(HiddenConfig, UncreatableFileRaisesTheSystemReason) {
    THiddenConfig store(temp_.Path(L"missing") + kPathDelim);
    try {
        store.Load();
        FAIL() << "the file cannot be created";
    } catch (const Error& e) {
        EXPECT_NE(e.Message().find(temp_.Path(L"missing")), std::wstring::npos)
            << ToUtf8(e.Message());
        EXPECT_NE(e.SystemCode(), 0u);
    }
    EXPECT_EQ(store.Count(), 0);
}

TEST_F(HiddenConfig, SaveWritesPasswordCountThenTheItems) {
    store_.AddItem(hitDrive, L"E:\\");
    store_.AddItem(hitFile, L"C:\\Docs\\report.txt");
    EXPECT_EQ(ReadBaseDat(),
              "[Password]\r\nPassword=\r\n"
              "[Count]\r\nCount=2\r\n"
              "[Item0]\r\nItemType=2\r\nFilePath=E:\\\r\n"
              "[Item1]\r\nItemType=0\r\nFilePath=C:\\Docs\\report.txt\r\n");
}

TEST_F(HiddenConfig, DeletingRenumbersTheItemsInTheFile) {
    WriteBaseDat(
        "[Password]\r\nPassword=Secret\r\n[Count]\r\nCount=2\r\n"
        "[Item0]\r\nItemType=1\r\nFilePath=C:\\First\\\r\n"
        "[Item1]\r\nItemType=2\r\nFilePath=E:\\\r\n");
    store_.Load();
    ASSERT_EQ(store_.Count(), 2);
    EXPECT_EQ(store_.Password, L"Secret");
    EXPECT_EQ(store_.Item(0).ItemType, hitFolder);
    EXPECT_EQ(store_.Item(0).FilePath, L"C:\\First\\");
    EXPECT_EQ(store_.Item(1).FilePath, L"E:\\");

    store_.DeleteItem(0);
    EXPECT_EQ(Sections(), (std::vector<std::wstring>{L"Password", L"Count", L"Item0"}));
    const auto again = Reloaded();
    ASSERT_EQ(again->Count(), 1);
    EXPECT_EQ(again->Item(0).ItemType, hitDrive);
    EXPECT_EQ(again->Item(0).FilePath, L"E:\\");
    EXPECT_EQ(again->Password, L"Secret");
}

TEST_F(HiddenConfig, SaveErasesEverySectionNamedWithItemAndKeepsOthers) {
    WriteBaseDat(
        "[MyItemNotes]\r\nNote=x\r\n[Settings]\r\nColour=blue\r\n[Item7]\r\nFilePath=C:\\old\r\n"
        "[item9]\r\nFilePath=C:\\lower\r\n[Items]\r\nA=1\r\n");
    store_.Load();
    store_.AddItem(hitFile, L"C:\\new.txt");
    // The substring test is case-sensitive: "item9" is foreign and stays.
    EXPECT_EQ(Sections(),
              (std::vector<std::wstring>{L"Settings", L"item9", L"Password", L"Count", L"Item0"}));
    EXPECT_EQ(OpenIniFile(BaseDat())->ReadString(L"Settings", L"Colour", L""), L"blue");
    EXPECT_EQ(Reloaded()->Item(0).FilePath, L"C:\\new.txt");
}

TEST_F(HiddenConfig, AForeignSectionNamedLikeAnItemInOtherLettersLeavesNoStaleItem) {
    // Erasing "Item0" takes the first section of that name in any letter case: here the
    // foreign "IteM0", which leaves the stale "Item0" behind unless the erasure goes on.
    WriteBaseDat("[IteM0]\r\nNote=x\r\n[Item0]\r\nFilePath=C:\\stale\r\n");
    store_.Load();
    store_.Save();
    EXPECT_EQ(Sections(), (std::vector<std::wstring>{L"Password", L"Count"}));
}

TEST_F(HiddenConfig, LoadTakesWhatItCannotReadAsDefaults) {
    const struct {
        const char* file;
        std::vector<THiddenItem> items;
    } cases[] = {
        // A count beyond the sections gives empty files for the missing ones.
        {"[Count]\r\nCount=3\r\n[Item1]\r\nItemType=1\r\nFilePath=C:\\A\\\r\n",
         {{hitFile, L""}, {hitFolder, L"C:\\A\\"}, {hitFile, L""}}},
        {"[Count]\r\nCount=two\r\n[Item0]\r\nItemType=1\r\nFilePath=C:\\A\\\r\n", {}},
        {"[Count]\r\nCount=-4\r\n[Item0]\r\nFilePath=C:\\A\r\n", {}},
        // Kinds are one byte: 7 stays 7, 258 is 2, text is 0.
        {"[Count]\r\nCount=3\r\n[Item0]\r\nItemType=7\r\nFilePath=a\r\n"
         "[Item1]\r\nItemType=258\r\nFilePath=b\r\n[Item2]\r\nItemType=x\r\nFilePath=c\r\n",
         {{static_cast<THiddenItemType>(7), L"a"}, {hitDrive, L"b"}, {hitFile, L"c"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteBaseDat(c.file);
        const auto store = Reloaded();
        ASSERT_EQ(store->Count(), static_cast<int>(c.items.size()));
        for (int i = 0; i < store->Count(); ++i) {
            EXPECT_EQ(store->Item(i).ItemType, c.items[i].ItemType) << i;
            EXPECT_EQ(store->Item(i).FilePath, c.items[i].FilePath) << i;
        }
    }
}

TEST_F(HiddenConfig, AbsurdCountIsCutToWhatTheFileCanHold) {
    WriteBaseDat("[Count]\r\nCount=2000000000\r\n[Item0]\r\nItemType=2\r\nFilePath=E:\\\r\n");
    const auto store = Reloaded();
    EXPECT_EQ(store->Count(), 2 + 1024);  // two sections, then the allowance for missing ones
    EXPECT_EQ(store->Item(0).FilePath, L"E:\\");
}

TEST_F(HiddenConfig, LoadReplacesWhatTheStoreHeld) {
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.Password = L"unsaved";
    store_.Load();
    EXPECT_EQ(store_.Count(), 1);
    EXPECT_EQ(store_.Password, L"");
}

TEST_F(HiddenConfig, IndexOutsideTheListRaisesAndChangesNothing) {
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.AddItem(hitFile, L"C:\\b.txt");
    const std::string before = ReadBaseDat();
    for (const int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(store_.DeleteItem(index), Error);
        EXPECT_THROW(store_.Item(index), Error);
    }
    EXPECT_EQ(store_.Count(), 2);
    EXPECT_EQ(ReadBaseDat(), before);
}

TEST_F(HiddenConfig, FindItemComparesExactlyAndTakesTheFirst) {
    store_.AddItem(hitDrive, L"e:\\");
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.AddItem(hitFolder, L"C:\\a.txt");
    EXPECT_EQ(store_.FindItem(L"E:\\"), nullptr);
    EXPECT_EQ(store_.FindItem(L"e:"), nullptr);
    EXPECT_EQ(store_.FindItem(L"e:\\"), &store_.Item(0));
    EXPECT_EQ(store_.FindItem(L"C:\\a.txt"), &store_.Item(1));
    EXPECT_EQ(store_.FindItem(L"C:\\a.txt "), nullptr);
}

TEST_F(HiddenConfig, PasswordReachesTheFileOnlyWithTheNextSave) {
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.Password = L"New pass";
    EXPECT_EQ(Reloaded()->Password, L"");  // a crash now keeps the old password
    store_.Save();
    EXPECT_EQ(Reloaded()->Password, L"New pass");
}

TEST_F(HiddenConfig, FailedWriteNamesTheFile) {
    ASSERT_TRUE(CreateFolderChain(BaseDat()));  // a folder has taken the file's name
    try {
        store_.AddItem(hitFile, L"C:\\a.txt");
        FAIL() << "the write must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + BaseDat());
    }
}

// The process's store, as start-up and shut-down use it.
class HiddenStoreLifetime : public HiddenConfig {
protected:
    void SetUp() override {
        previous_ = GetDataFolder();
        SetDataFolder(temp_.Folder());
    }
    void TearDown() override {
        if (HiddenStoreExists())
            FreeHiddenStore();
        SetDataFolder(previous_);
    }

    std::wstring previous_;
};

TEST_F(HiddenStoreLifetime, ShutDownSavesAChangedPasswordAndFreesTheStore) {
    WriteBaseDat("[Password]\r\nPassword=old\r\n[Count]\r\nCount=0\r\n");
    CreateHiddenStore();
    EXPECT_EQ(HiddenStore().Password, L"old");
    HiddenStore().Password = L"changed";
    FreeHiddenStore();
    EXPECT_FALSE(HiddenStoreExists());
    EXPECT_THROW(HiddenStore(), Error);
    EXPECT_EQ(Reloaded()->Password, L"changed");
}

TEST_F(HiddenStoreLifetime, FailedLoadLeavesNoStore) {
    WriteBaseDat("");  // the data folder's name is taken by a file
    SetDataFolder(BaseDat());
    EXPECT_THROW(CreateHiddenStore(), Error);
    EXPECT_FALSE(HiddenStoreExists());
}

}  // namespace
}  // namespace dovrel
