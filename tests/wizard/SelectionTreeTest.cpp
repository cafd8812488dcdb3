#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <mutex>

#include "app/CmdLineActivate.h"
#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "hiding/HiddenConfig.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/memory/MemoryDrives.h"
#include "support/TempFolder.h"
#include "wizard/DriveList.h"
#include "wizard/SelectionTree.h"
#include "wizard/WizardFakes.h"

namespace dovrel::test {
namespace {

void WriteFile(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer("x", 1);
}

std::vector<std::wstring> ChildTexts(const TTreeNode& node) {
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < node.ChildCount(); ++i)
        texts.push_back(node.Child(i).Text());
    return texts;
}

TTreeNode* FindChild(const TTreeNode& node, const std::wstring& text) {
    for (std::size_t i = 0; i < node.ChildCount(); ++i) {
        if (node.Child(i).Text() == text)
            return &node.Child(i);
    }
    return nullptr;
}

// What a selection walk hands to its run.
class TRecordingSink final : public TSelectionSink {
public:
    bool IsCancelled() const override { return cancelled; }
    void AppendItem(const std::wstring& path) override { items.push_back(path); }
    void ScanFolder(const std::wstring& folder) override { scans.push_back(folder); }

    bool cancelled = false;
    std::vector<std::wstring> items, scans;
};

// Drive C: is a temporary folder holding Docs (a.txt, Sub (x.txt, y.txt)) and top.txt.
class SelectionTree : public testing::Test {
protected:
    SelectionTree() {
        drives.Add(L'C', {});
        CreateFolderChain(Path(L"Docs") + kPathDelim + L"Sub");
        WriteFile(Path(L"Docs") + kPathDelim + L"a.txt");
        WriteFile(Path(L"Docs") + kPathDelim + L"Sub" + kPathDelim + L"x.txt");
        WriteFile(Path(L"Docs") + kPathDelim + L"Sub" + kPathDelim + L"y.txt");
        WriteFile(Path(L"top.txt"));
    }

    std::wstring Path(const std::wstring& name) const {
        return temp.Path(L"C") + kPathDelim + name;
    }

    TTreeNode& C() {
        for (const auto& root : tree.RootNodes()) {
            if (root->Text() == L"C:")
                return *root;
        }
        throw std::runtime_error("no drive C:");
    }
    // Expands the nodes down to `names` below C: and returns the last.
    TTreeNode& Open(std::initializer_list<std::wstring> names) {
        TTreeNode* node = &C();
        tree.FilesTreeViewExpanding(*node);
        for (const std::wstring& name : names) {
            node = FindChild(*node, name);
            if (node == nullptr)
                throw std::runtime_error("no such node");
            tree.FilesTreeViewExpanding(*node);
        }
        return *node;
    }
    TTreeNode& At(std::initializer_list<std::wstring> names) {
        TTreeNode* node = &C();
        for (const std::wstring& name : names)
            node = FindChild(*node, name);
        return *node;
    }

    TRecordingSink Collect(unsigned flags) {
        TRecordingSink sink;
        tree.TakeSnapshot()->CollectSelection(sink, flags);
        return sink;
    }

    TempFolder temp;
    THiddenConfig store{temp.Folder()};
    TMemoryDrives drives;
    TMirrorTreeControl control;
    TSelectionTree tree{control, drives, store, [this](const std::wstring& drive) {
                            return temp.Path(drive.substr(0, 1));
                        }};
};

TEST_F(SelectionTree, DrivesAreListedWithTheirPicturesLeavingOutAbsentAndHiddenOnes) {
    using T = TDriveType;
    drives.Add(L'A', {T::Removable, true});
    drives.Add(L'D', {T::CdRom, false});  // no medium
    drives.Add(L'E', {T::CdRom, true});
    drives.Add(L'F', {T::Unknown, true});
    drives.Add(L'G', {T::Remote, true});
    drives.Add(L'H', {T::Fixed, true});
    drives.Add(L'K', {T::Removable, true});
    store.AddItem(hitDrive, L"H:\\");
    EXPECT_EQ(GetDrives(drives),
              (std::vector<std::wstring>{L"A:", L"C:", L"E:", L"G:", L"H:", L"K:"}));

    tree.BuildDrivesTree();
    struct TRoot {
        const wchar_t* text;
        TTreePicture picture;
        bool expandable;
    };
    const TRoot expected[] = {{L"A:", TTreePicture::Floppy, false},
                              {L"C:", TTreePicture::HardDisk, true},
                              {L"E:", TTreePicture::CdRom, true},
                              {L"G:", TTreePicture::HardDisk, true},
                              {L"K:", TTreePicture::Floppy, true}};
    ASSERT_EQ(tree.RootNodes().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TTreeNode& root = *tree.RootNodes()[i];
        SCOPED_TRACE(ToUtf8(root.Text()));
        EXPECT_EQ(root.Text(), expected[i].text);
        EXPECT_EQ(root.Picture(), expected[i].picture);
        EXPECT_EQ(root.Kind(), TNodeKind::Drive);
        EXPECT_EQ(root.State(), TCheckState::Unchecked);
        EXPECT_EQ(root.IsUnread(), expected[i].expandable);
        EXPECT_EQ(root.ChildCount(), expected[i].expandable ? 1u : 0u);
    }
    EXPECT_EQ(tree.RootNodes()[1]->Child(0).Text(), L"scaner_dummy");
    EXPECT_TRUE(control.Mirrors(tree));

    // A rebuild starts over: no check survives it.
    tree.ToggleNodeCheck(tree.RootNodes()[0].get());
    tree.BuildDrivesTree();
    EXPECT_EQ(tree.RootNodes().size(), std::size(expected));
    EXPECT_FALSE(tree.HasCheckedNode());
    EXPECT_TRUE(control.Mirrors(tree));
}

TEST_F(SelectionTree, IsDriveReadyTakesLettersOfEitherCaseOnly) {
    drives.Add(L'D', {TDriveType::CdRom, false});
    EXPECT_TRUE(IsDriveReady(drives, L'c'));
    EXPECT_TRUE(IsDriveReady(drives, L'C'));
    EXPECT_FALSE(IsDriveReady(drives, L'D'));
    EXPECT_FALSE(IsDriveReady(drives, L'Z'));
    for (wchar_t other : {L'1', L':', L'@', L'['})
        EXPECT_FALSE(IsDriveReady(drives, other));
}

TEST_F(SelectionTree, AFolderIsReadOnceAtItsFirstExpansion) {
    WriteFile(Path(L"x.enc"));
    WriteFile(Path(L"y.ENC"));
    CreateFolderChain(Path(L"Empty"));
    tree.BuildDrivesTree();
    EXPECT_TRUE(tree.FilesTreeViewExpanding(C()));

    // In the order the file system lists them.
    std::vector<std::wstring> listed;
    EnumerateFolder(temp.Path(L"C"), [&](const TFindEntry& entry) {
        listed.push_back(entry.name);
        return true;
    });
    EXPECT_EQ(ChildTexts(C()), listed);
    const std::pair<const wchar_t*, TTreePicture> pictures[] = {{L"Docs", TTreePicture::Folder},
                                                                {L"Empty", TTreePicture::Folder},
                                                                {L"top.txt", TTreePicture::File},
                                                                {L"x.enc", TTreePicture::EncFile},
                                                                {L"y.ENC", TTreePicture::File}};
    for (const auto& [name, picture] : pictures)
        EXPECT_EQ(FindChild(C(), name)->Picture(), picture) << ToUtf8(name);
    EXPECT_TRUE(FindChild(C(), L"Empty")->IsUnread()) << "an empty folder shows a button";

    TTreeNode& empty = At({L"Empty"});
    tree.FilesTreeViewExpanding(empty);
    EXPECT_EQ(empty.ChildCount(), 0u);
    tree.FilesTreeViewExpanding(C());
    EXPECT_EQ(C().ChildCount(), listed.size()) << "read once";
    EXPECT_EQ(tree.GetNodePath(At({L"Docs"})), Path(L"Docs"));
    EXPECT_TRUE(control.Mirrors(tree));
}

TEST_F(SelectionTree, TheProgramsHiddenEntriesAreLeftOutButHiddenOnesAreListed) {
    WriteFile(Path(L".plain"));  // hidden only
#ifdef _WIN32
    WriteFile(Path(L"hidden.txt"));
    WriteFile(Path(L"both.txt"));
    ASSERT_EQ(SetFileAttributesAt(Path(L"hidden.txt"), attr::kHidden), 0u);
    ASSERT_EQ(SetFileAttributesAt(Path(L"both.txt"), attr::kHidden | attr::kSystem), 0u);
    CreateFolderChain(Path(L"HiddenDir"));
    ASSERT_EQ(SetFileAttributesAt(Path(L"HiddenDir"), 0x07), 0u);
#endif
    tree.BuildDrivesTree();
    tree.FilesTreeViewExpanding(C());
    EXPECT_NE(FindChild(C(), L".plain"), nullptr);
#ifdef _WIN32
    EXPECT_NE(FindChild(C(), L"hidden.txt"), nullptr);
    EXPECT_EQ(FindChild(C(), L"both.txt"), nullptr);
    EXPECT_EQ(FindChild(C(), L"HiddenDir"), nullptr);
#endif
}

TEST_F(SelectionTree, TheDecryptFilterListsOnlyEncFiles) {
    WriteFile(Path(L"x.enc"));
    WriteFile(Path(L"y.ENC"));
    tree.BuildDrivesTree();
    tree.SetEncOnlyFilter(true);
    tree.FilesTreeViewExpanding(C());
    std::vector<std::wstring> names = ChildTexts(C());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Docs", L"x.enc"}));

    const std::pair<const wchar_t*, bool> cases[] = {
        {L"x.enc", true},      {L".enc", true}, {L"a.b.enc", true}, {L"x.ENC", false},
        {L"x.enc.txt", false}, {L"enc", false}, {L"xenc", false},   {L"x.encx", false}};
    for (const auto& [name, matches] : cases) {
        EXPECT_EQ(tree.FileMatchesFilter(name), matches) << ToUtf8(name);
    }
    tree.SetEncOnlyFilter(false);
    for (const auto& [name, matches] : cases)
        EXPECT_TRUE(tree.FileMatchesFilter(name)) << ToUtf8(name);
}

TEST_F(SelectionTree, ChecksGoDownTheLoadedSubtreeAndUpToTheAncestors) {
    tree.BuildDrivesTree();
    TTreeNode& docs = Open({L"Docs"});
    tree.ToggleNodeCheck(&docs);  // Sub is not read yet
    EXPECT_EQ(C().State(), TCheckState::PartlyChecked) << "top.txt is not checked";
    TTreeNode& sub = At({L"Docs", L"Sub"});
    EXPECT_EQ(sub.Child(0).State(), TCheckState::None) << "the placeholder has no state";
    tree.FilesTreeViewExpanding(sub);
    for (std::size_t i = 0; i < sub.ChildCount(); ++i)
        EXPECT_EQ(sub.Child(i).State(), TCheckState::Checked) << "read later, checked already";

    tree.ToggleNodeCheck(FindChild(sub, L"x.txt"));
    EXPECT_EQ(sub.State(), TCheckState::PartlyChecked);
    EXPECT_EQ(docs.State(), TCheckState::Checked)
        << "all its children are marked, one of them partly";
    EXPECT_EQ(C().State(), TCheckState::PartlyChecked);
    EXPECT_TRUE(control.Mirrors(tree));

    tree.ToggleNodeCheck(&docs);  // partly or fully checked: unchecked
    tree.ToggleNodeCheck(&docs);
    tree.ToggleNodeCheck(&docs);
    for (const TTreeNode* node :
         std::initializer_list<const TTreeNode*>{&docs, &sub, FindChild(sub, L"y.txt"), &C()})
        EXPECT_EQ(node->State(), TCheckState::Unchecked);
    EXPECT_FALSE(tree.HasCheckedNode());

    tree.ToggleNodeCheck(nullptr);
    tree.ToggleNodeCheck(&At({L"Docs", L"Sub", L"y.txt"}));
    EXPECT_TRUE(tree.HasCheckedNode());
    tree.ToggleNodeCheck(&At({L"Docs", L"Sub", L"y.txt"}));
    EXPECT_FALSE(tree.HasCheckedNode()) << "checking and unchecking leaves nothing checked";
    EXPECT_TRUE(control.Mirrors(tree));
}

TEST_F(SelectionTree, HidingTakesAFullyMarkedFolderWholeWhileShreddingDescends) {
    tree.BuildDrivesTree();
    Open({L"Docs", L"Sub"});
    tree.ToggleNodeCheck(&At({L"Docs", L"a.txt"}));
    tree.ToggleNodeCheck(&At({L"Docs", L"Sub", L"x.txt"}));
    ASSERT_EQ(At({L"Docs"}).State(), TCheckState::Checked);

    const auto hide = Collect(ExpandFolders | WholeItems);
    EXPECT_EQ(hide.items, std::vector<std::wstring>{Path(L"Docs")});
    const auto shred = Collect(ExpandFolders);
    std::vector<std::wstring> files = shred.items;
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{
                         Path(L"Docs") + kPathDelim + L"Sub" + kPathDelim + L"x.txt",
                         Path(L"Docs") + kPathDelim + L"a.txt"}));
    EXPECT_TRUE(shred.scans.empty());
}

TEST_F(SelectionTree, CheckedDrivesAndUnreadFoldersAsTheRunsSeeThem) {
    drives.Add(L'A', {TDriveType::Removable, true});
    tree.BuildDrivesTree();
    TTreeNode& a = *tree.RootNodes()[0];
    tree.ToggleNodeCheck(&a);
    tree.ToggleNodeCheck(&C());  // never expanded

    const auto hide = Collect(ExpandFolders | WholeItems);
    EXPECT_EQ(hide.items, (std::vector<std::wstring>{L"A:", L"C:"}));
    const auto encrypt = Collect(ExpandFolders);
    EXPECT_TRUE(encrypt.items.empty()) << "A: has no contents to give";
    EXPECT_EQ(encrypt.scans, std::vector<std::wstring>{temp.Path(L"C") + kPathDelim});

    // An expanded C: with an unread checked Docs: that folder is scanned, the file given.
    tree.ToggleNodeCheck(&C());
    tree.FilesTreeViewExpanding(C());
    tree.ToggleNodeCheck(&At({L"Docs"}));
    tree.ToggleNodeCheck(&At({L"top.txt"}));
    const auto again = Collect(ExpandFolders);
    EXPECT_EQ(again.scans, std::vector<std::wstring>{Path(L"Docs") + kPathDelim});
    EXPECT_EQ(again.items, std::vector<std::wstring>{Path(L"top.txt")});

    TRecordingSink cancelled;
    cancelled.cancelled = true;
    tree.TakeSnapshot()->CollectSelection(cancelled, ExpandFolders);
    EXPECT_TRUE(cancelled.items.empty() && cancelled.scans.empty());
}

TEST_F(SelectionTree, ASnapshotKeepsTheChecksItWasTakenWith) {
    tree.BuildDrivesTree();
    Open({});
    tree.ToggleNodeCheck(&At({L"top.txt"}));
    const auto snapshot = tree.TakeSnapshot();
    tree.ToggleNodeCheck(&At({L"top.txt"}));
    tree.BuildDrivesTree();
    TRecordingSink sink;
    snapshot->CollectSelection(sink, ExpandFolders);
    EXPECT_EQ(sink.items, std::vector<std::wstring>{Path(L"top.txt")});
}

// Runs over the tree with the real iteration thread, every call made at once.
class TDirectHost final : public TRunHost {
public:
    void Invoke(const std::function<void()>& call) override {
        std::lock_guard lock(mutex_);
        call();
    }
    void Finish(const TOperation&, std::int64_t) override {}
    void RunFailed(const std::wstring&, const std::wstring& message) override {
        ADD_FAILURE() << ToUtf8(message);
    }
    void CloseProgress() override {}

private:
    std::mutex mutex_;
};

class TListingOperation final : public TOperation {
public:
    explicit TListingOperation(std::vector<std::wstring>& seen)
        : TOperation(L"", L""), seen_(seen) {}
    void ProcessItem(const std::wstring& path) override { seen_.push_back(path); }
    std::wstring GetCompletionText() const override { return L""; }
    std::wstring GetDoneWord() const override { return L""; }

private:
    std::vector<std::wstring>& seen_;
};

TEST_F(SelectionTree, AnUnreadCheckedFolderIsScannedOnDiskHiddenAndSystemFilesIncluded) {
    const std::wstring sub = Path(L"Docs") + kPathDelim + L"Sub" + kPathDelim;
    WriteFile(sub + L".secret");
#ifdef _WIN32
    ASSERT_EQ(SetFileAttributesAt(sub + L"y.txt", attr::kHidden | attr::kSystem), 0u);
#endif
    tree.BuildDrivesTree();
    Open({L"Docs"});
    tree.ToggleNodeCheck(&At({L"Docs", L"Sub"}));
    PreselectedItems().clear();
    std::vector<std::wstring> seen;
    TDirectHost host;
    const auto snapshot = tree.TakeSnapshot();
    ASSERT_TRUE(
        StartRun(std::make_unique<TListingOperation>(seen), ExpandFolders, host, snapshot.get()));
    WaitForRunEnd();
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::wstring>{sub + L".secret", sub + L"x.txt", sub + L"y.txt"}));
}

}  // namespace
}  // namespace dovrel::test
