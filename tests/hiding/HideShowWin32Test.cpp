// Hiding and showing against the real file system and registry; Windows only.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <optional>

#include "hiding/HideShowRoutines.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

class HideShowWindows : public testing::Test {
protected:
    static constexpr std::uint32_t kSystemHidden = attr::kSystem | attr::kHidden;
    static constexpr std::uint32_t kSystemHiddenReadOnly = kSystemHidden | attr::kReadOnly;

    std::uint32_t Attributes(const std::wstring& path) {
        const auto data = GetAttributeData(path);
        EXPECT_TRUE(data) << "missing";
        return data ? data->attributes : 0;
    }
    void Show(int index) { ProcessShowItem(guard_, store_.Item(index).FilePath, index, services_); }

    test::TempFolder temp_;
    THiddenConfig store_{temp_.Folder()};
    std::unique_ptr<TRegistry> registry_ = CreateSystemRegistry();
    THidingServices services_{store_, *registry_, &SetFileAttributesAt, &BroadcastSettingChange};
    THidingGuard guard_ = THidingGuard::AcquireNow();
};

TEST_F(HideShowWindows, FilesAndFoldersGetSystemHiddenReadOnlyAndComeBackNormal) {
    const std::wstring file = temp_.Path(L"notes.txt");
    { TFileStream created(file, TFileMode::fmCreate); }
    ASSERT_EQ(SetFileAttributesAt(file, attr::kReadOnly | attr::kArchive), 0u);
    const std::wstring folder = temp_.Path(L"Private") + L"\\";
    const std::wstring bareFolder = temp_.Path(L"Bare");
    ASSERT_TRUE(CreateFolderChain(folder));
    ASSERT_TRUE(CreateFolderChain(bareFolder));

    ProcessHideItem(guard_, file, services_);
    ProcessHideItem(guard_, folder, services_);
    ProcessHideItem(guard_, bareFolder, services_);
    // Wine reports every file as archived and keeps no read-only bit on folders; Windows
    // gives exactly 0x07 and 0x17.
    EXPECT_EQ(Attributes(file) & kSystemHiddenReadOnly, kSystemHiddenReadOnly);
    EXPECT_EQ(Attributes(folder) & kSystemHidden, kSystemHidden);
    EXPECT_EQ(Attributes(bareFolder) & kSystemHidden, kSystemHidden);
    ASSERT_EQ(store_.Count(), 3);
    EXPECT_EQ(store_.Item(0).ItemType, hitFile);
    EXPECT_EQ(store_.Item(1).ItemType, hitFolder);
    EXPECT_EQ(store_.Item(2).ItemType, hitFile);

    for (const int index : {2, 1, 0})
        Show(index);
    // The read-only bit the file had before is gone with the hiding.
    for (const std::wstring& path : {file, folder, bareFolder})
        EXPECT_EQ(Attributes(path) & kSystemHiddenReadOnly, 0u) << ToUtf8(path);
    EXPECT_EQ(store_.Count(), 0);
    THiddenConfig reloaded(temp_.Folder());
    reloaded.Load();
    EXPECT_EQ(reloaded.Count(), 0);
}

// Puts "NoDrives" back as it was before the test, whatever the test did.
class TNoDrivesRestorer {
public:
    explicit TNoDrivesRestorer(TRegistry& registry)
        : registry_(registry),
          before_(registry.ReadDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue)) {}
    ~TNoDrivesRestorer() {
        if (before_)
            registry_.WriteDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue, *before_);
        else
            registry_.DeleteValue(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue);
    }
    std::uint32_t Before() const { return before_.value_or(0); }

private:
    TRegistry& registry_;
    std::optional<std::uint32_t> before_;
};

TEST_F(HideShowWindows, HidingDriveDSetsItsBitInTheSystemRegistry) {
    const TNoDrivesRestorer restorer(*registry_);
    registry_->WriteDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue,
                          restorer.Before() & ~8u);
    const std::uint32_t others = restorer.Before() & ~8u;

    ProcessHideItem(guard_, L"D:", services_);
    EXPECT_EQ(registry_->ReadDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue),
              others | 8u);
    ASSERT_EQ(store_.Count(), 1);
    EXPECT_EQ(store_.Item(0).FilePath, L"D:\\");
    EXPECT_EQ(store_.Item(0).ItemType, hitDrive);

    Show(0);
    EXPECT_EQ(registry_->ReadDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue), others);
    EXPECT_EQ(store_.Count(), 0);
}

}  // namespace
}  // namespace dovrel

#endif  // _WIN32
