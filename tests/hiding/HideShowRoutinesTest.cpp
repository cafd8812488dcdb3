#include <gtest/gtest.h>

#include <optional>

#include "app/Logger.h"
#include "hiding/HideShowRoutines.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/memory/MemoryRegistry.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

struct TAttributeCall {
    std::wstring path;
    std::uint32_t attributes;
    bool operator==(const TAttributeCall&) const = default;
};

// The routines over a store in a temporary folder, an in-memory registry and recorded
// attribute changes; every announcement notes the "NoDrives" it was made for.
class HideShow : public testing::Test {
protected:
    std::optional<std::uint32_t> NoDrives() {
        return registry_.ReadDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue);
    }
    void SetNoDrives(std::uint32_t value) {
        registry_.WriteDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue, value);
    }
    void Hide(const std::wstring& path) { ProcessHideItem(guard_, path, services_); }
    void Show(int index) { ProcessShowItem(guard_, store_.Item(index).FilePath, index, services_); }

    void ExpectItems(const std::vector<THiddenItem>& items) {
        ASSERT_EQ(store_.Count(), static_cast<int>(items.size()));
        for (int i = 0; i < store_.Count(); ++i) {
            EXPECT_EQ(store_.Item(i).ItemType, items[i].ItemType) << i;
            EXPECT_EQ(store_.Item(i).FilePath, items[i].FilePath) << i;
        }
    }

    test::TempFolder temp_;
    THiddenConfig store_{temp_.Folder()};
    TMemoryRegistry registry_;
    std::vector<TAttributeCall> attributeCalls_;
    unsigned attributeFailure_ = 0;
    std::vector<std::optional<std::uint32_t>> announced_;
    THidingServices services_{store_, registry_,
                              [this](const std::wstring& path, std::uint32_t attributes) {
                                  attributeCalls_.push_back({path, attributes});
                                  return attributeFailure_;
                              },
                              [this] { announced_.push_back(NoDrives()); }};
    THidingGuard guard_ = THidingGuard::AcquireNow();
};

TEST_F(HideShow, DriveBitIsTheLetterPlaceInTheAlphabet) {
    const struct {
        const wchar_t* path;
        std::uint32_t bit;
    } cases[] = {{L"A:", 1}, {L"C:\\", 4}, {L"E:", 16}, {L"Z:\\", 1u << 25}};
    for (const auto& c : cases)
        EXPECT_EQ(DriveBit(c.path), c.bit) << ToUtf8(c.path);
}

TEST_F(HideShow, HidingAndShowingDrivesChangeOnlyTheirBits) {
    SetNoDrives(16);
    store_.AddItem(hitDrive, L"E:\\");
    Hide(L"C:");
    EXPECT_EQ(NoDrives(), 20u);
    Show(0);  // E
    EXPECT_EQ(NoDrives(), 4u);
    Show(0);  // C
    EXPECT_EQ(NoDrives(), 0u);
    EXPECT_EQ(store_.Count(), 0);
    // Each change was announced once, after it was written.
    EXPECT_EQ(announced_, (std::vector<std::optional<std::uint32_t>>{20u, 4u, 0u}));
    EXPECT_TRUE(attributeCalls_.empty());
}

TEST_F(HideShow, HidingADriveRecordsItsRootWhateverItsStartingValue) {
    const struct {
        std::optional<std::uint32_t> before;
        const wchar_t* path;
        std::uint32_t after;
    } cases[] = {
        {0u, L"E:", 16},
        {0u, L"E:\\", 16},
        {std::nullopt, L"C:\\", 4},  // the value and its key are created
        {4u, L"C:", 4},              // set by other means: unchanged, still recorded
        {0x80000001u, L"Z:\\", 0x82000001u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.path));
        registry_.DeleteKeyTree(TRootKey::CurrentUser, kNoDrivesKey);
        if (c.before)
            SetNoDrives(*c.before);
        while (store_.Count() > 0)
            store_.DeleteItem(0);
        Hide(c.path);
        EXPECT_EQ(NoDrives(), c.after);
        std::wstring root = c.path;
        if (root.back() != L'\\')
            root += L'\\';
        ExpectItems({{hitDrive, root}});
    }
}

TEST_F(HideShow, PathsAreToldApartByTheirTextAlone) {
    const struct {
        const wchar_t* path;
        std::optional<THiddenItemType> kind;  // none: nothing happens at all
    } cases[] = {
        {L"", std::nullopt},
        {L"X", std::nullopt},
        {L"D:\\Data\\", hitFolder},
        {L"D:\\Data", hitFile},  // a folder without its separator is recorded as a file
        {L"ab", hitFile},
        {L"\\\\server\\share\\", hitFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.path));
        attributeCalls_.clear();
        while (store_.Count() > 0)
            store_.DeleteItem(0);
        Hide(c.path);
        if (!c.kind) {
            EXPECT_TRUE(attributeCalls_.empty());
            EXPECT_EQ(store_.Count(), 0);
            continue;
        }
        EXPECT_EQ(attributeCalls_, (std::vector<TAttributeCall>{{c.path, 7}}));
        ExpectItems({{*c.kind, c.path}});
    }
    EXPECT_FALSE(NoDrives());
    EXPECT_TRUE(announced_.empty());
}

TEST_F(HideShow, PathsThatNameNoDriveLetterAreRefused) {
    SetNoDrives(4);
    for (const wchar_t* path : {L"e:", L"1:\\", L"AB:", L"D:\\Data:", L"?:"}) {
        SCOPED_TRACE(ToUtf8(path));
        try {
            Hide(path);
            ADD_FAILURE() << "refused";
        } catch (const Error& e) {
            EXPECT_NE(e.Message().find(L"A to Z"), std::wstring::npos) << ToUtf8(e.Message());
        }
    }
    // A hand-made record of one cannot be shown either, and stays.
    store_.AddItem(hitDrive, L"e:\\");
    EXPECT_THROW(Show(0), Error);
    EXPECT_EQ(store_.Count(), 1);
    EXPECT_EQ(NoDrives(), 4u);
    EXPECT_TRUE(announced_.empty());
}

TEST_F(HideShow, ShowingFollowsTheRecordedKind) {
    SetNoDrives(0xFD);  // B was shown by other means
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.AddItem(hitFolder, L"C:\\Data\\");
    store_.AddItem(hitDrive, L"D:\\");
    store_.AddItem(static_cast<THiddenItemType>(7), L"C:\\seven");
    store_.AddItem(hitDrive, L"B:\\");
    store_.AddItem(hitFile, L"C:\\last.txt");
    // From the last checked entry to the first, as the show page goes.
    for (const int index : {4, 3, 2, 1, 0})
        Show(index);
    EXPECT_EQ(attributeCalls_,
              (std::vector<TAttributeCall>{
                  {L"C:\\seven", 0x80}, {L"C:\\Data\\", 0x80}, {L"C:\\a.txt", 0x80}}));
    EXPECT_EQ(NoDrives(), 0xF5u);  // D cleared, B still clear
    ExpectItems({{hitFile, L"C:\\last.txt"}});
}

TEST_F(HideShow, ShowRefusesAnIndexThatDoesNotFitThePath) {
    store_.AddItem(hitFile, L"C:\\a.txt");
    store_.AddItem(hitFile, L"C:\\b.txt");
    EXPECT_THROW(ProcessShowItem(guard_, L"C:\\a.txt", 1, services_), Error);
    EXPECT_THROW(ProcessShowItem(guard_, L"C:\\a.txt", 2, services_), Error);
    EXPECT_TRUE(attributeCalls_.empty());
    EXPECT_EQ(store_.Count(), 2);
}

TEST_F(HideShow, RefusedRegistryWriteRecordsAndDropsNothing) {
    store_.AddItem(hitDrive, L"E:\\");
    SetNoDrives(16);
    registry_.SetReadOnly(true);
    EXPECT_THROW(Hide(L"C:\\"), Error);
    ExpectItems({{hitDrive, L"E:\\"}});
    EXPECT_THROW(Show(0), Error);
    ExpectItems({{hitDrive, L"E:\\"}});
    EXPECT_EQ(NoDrives(), 16u);
    EXPECT_TRUE(announced_.empty());
}

TEST_F(HideShow, WithoutTheGuardNothingChanges) {
    const THidingGuard moved = std::move(guard_);
    EXPECT_THROW(ProcessHideItem(guard_, L"C:\\a.txt", services_), Error);
    store_.AddItem(hitFile, L"C:\\a.txt");
    EXPECT_THROW(ProcessShowItem(guard_, L"C:\\a.txt", 0, services_), Error);
    EXPECT_TRUE(attributeCalls_.empty());
    EXPECT_EQ(store_.Count(), 1);
}

// Attribute failures are logged, and the store changes anyway.
class HideShowLogged : public HideShow {
protected:
    void SetUp() override {
        InitLogger(L"-debug", {L"-debug"}, temp_.Folder(), temp_.Path(L"Dovrel.exe"));
    }
    void TearDown() override { InitLogger(L"-debug", {}, temp_.Folder(), temp_.Path(L"x")); }

    std::wstring Log() {
        if (!GetAttributeData(temp_.Path(L"Dovrel.exe.log")))
            return L"";
        TFileStream file(temp_.Path(L"Dovrel.exe.log"), TFileMode::fmOpenRead);
        std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
        file.ReadBuffer(bytes.data(), bytes.size());
        return FromAnsi(bytes);
    }
};

TEST_F(HideShowLogged, RefusedAttributesAreLoggedAndTheItemStillRecorded) {
    attributeFailure_ = 5;
    Hide(L"C:\\locked.txt");
    ExpectItems({{hitFile, L"C:\\locked.txt"}});
    const std::wstring line =
        L" CoreHide: SetFileAttributes failed " + FormatErrorCode(5) + L"\r\n";
    const std::wstring log = Log();
    ASSERT_GE(log.size(), line.size()) << ToUtf8(log);
    EXPECT_EQ(log.substr(log.size() - line.size()), line);
}

TEST_F(HideShowLogged, ShowingADeletedFileLogsAndDropsItsRecord) {
    services_.setAttributes = &SetFileAttributesAt;  // the real file system
    const std::wstring gone = temp_.Path(L"deleted meanwhile.txt");
    const unsigned code = SetFileAttributesAt(gone, kShowAttributes);
    ASSERT_NE(code, 0u);
    store_.AddItem(hitFile, gone);
    Show(0);
    EXPECT_EQ(store_.Count(), 0);
    EXPECT_NE(Log().find(L" CoreUnhide: SetFileAttributes failed " + FormatErrorCode(code)),
              std::wstring::npos)
        << ToUtf8(Log());
}

TEST_F(HideShowLogged, SuccessfulChangesLogNothing) {
    Hide(L"C:\\a.txt");
    Show(0);
    EXPECT_EQ(Log(), L"");
}

}  // namespace
}  // namespace dovrel

namespace dovrel {
namespace {

// A store that cannot be saved ("base.dat" is a folder) takes back what it was to record:
// the item is neither hidden nor listed, and the error reaches the caller.
TEST_F(HideShow, AStoreThatCannotBeSavedLeavesNothingHidden) {
    test::TempFolder brokenFolder;
    CreateFolderChain(brokenFolder.Path(L"base.dat"));
    THiddenConfig broken{brokenFolder.Folder()};
    const THidingServices services{broken, registry_, services_.setAttributes, services_.announce};
    SetNoDrives(0x4);
    const std::wstring file = temp_.Path(L"a.txt");
    for (const std::wstring& path : {file, std::wstring(L"E:\\")}) {
        SCOPED_TRACE(ToUtf8(path));
        EXPECT_THROW(ProcessHideItem(guard_, path, services), Error);
        EXPECT_EQ(broken.Count(), 0) << "nothing listed";
    }
    EXPECT_EQ(attributeCalls_,
              (std::vector<TAttributeCall>{{file, kHideAttributes}, {file, kShowAttributes}}));
    EXPECT_EQ(NoDrives(), 0x4u) << "the drive's bit is taken back";
}

}  // namespace
}  // namespace dovrel
