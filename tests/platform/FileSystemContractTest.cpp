// Folder listing, attributes and folder creation behave alike on every system.
#include <gtest/gtest.h>

#include <map>

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::TempFolder;

void WriteBytes(const std::wstring& path, std::size_t count) {
    TFileStream file(path, TFileMode::fmCreate);
    const std::string bytes(count, 'x');
    file.WriteBuffer(bytes.data(), bytes.size());
}

// A name the system counts as hidden: Windows has the attribute, Linux the leading dot.
std::wstring MakeHidden(const TempFolder& folder) {
#ifdef _WIN32
    const std::wstring path = folder.Path(L"secret.txt");
    WriteBytes(path, 1);
    EXPECT_EQ(SetFileAttributesAt(path, attr::kHidden | attr::kSystem), 0u);
    return L"secret.txt";
#else
    WriteBytes(folder.Path(L".secret.txt"), 1);
    return L".secret.txt";
#endif
}

TEST(FileSystemContract, ListsEveryEntryWithItsData) {
    TempFolder folder;
    WriteBytes(folder.Path(L"a.txt"), 3);
    WriteBytes(folder.Path(L"b.bin"), 70000);
    ASSERT_TRUE(CreateFolderChain(folder.Path(L"sub")));
    const std::wstring hidden = MakeHidden(folder);

    std::map<std::wstring, TFileAttributeData> seen;
    EXPECT_EQ(EnumerateFolder(folder.Folder(),
                              [&](const TFindEntry& e) {
                                  seen[e.name] = e.data;
                                  return true;
                              }),
              0u);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[L"a.txt"].size, 3);
    EXPECT_EQ(seen[L"b.bin"].size, 70000);
    EXPECT_FALSE(seen[L"b.bin"].IsFolder());
    EXPECT_TRUE(seen[L"sub"].IsFolder());
    EXPECT_TRUE(seen[hidden].attributes & attr::kHidden);
}

TEST(FileSystemContract, ListingStopsWhenTheVisitorSaysSo) {
    TempFolder folder;
    for (const auto* name : {L"1", L"2", L"3"})
        WriteBytes(folder.Path(name), 1);
    int visits = 0;
    EnumerateFolder(folder.Folder(), [&](const TFindEntry&) { return ++visits < 2; });
    EXPECT_EQ(visits, 2);
}

TEST(FileSystemContract, ListingAMissingFolderReportsAnError) {
    TempFolder folder;
    bool visited = false;
    EXPECT_NE(
        EnumerateFolder(folder.Path(L"missing"), [&](const TFindEntry&) { return visited = true; }),
        0u);
    EXPECT_FALSE(visited);
}

TEST(FileSystemContract, AttributeDataNeedsNoOpening) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"held.bin");
    WriteBytes(path, 1234);
    // The file is held without sharing; its size is still readable.
    TFileStream holder(path, TFileMode::fmOpenReadWrite);
    const auto data = GetAttributeData(path);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size, 1234);
    EXPECT_FALSE(data->IsFolder());
    const auto self = GetAttributeData(folder.Folder());
    ASSERT_TRUE(self);
    EXPECT_TRUE(self->IsFolder());
    EXPECT_FALSE(GetAttributeData(folder.Path(L"nothing")));
}

TEST(FileSystemContract, ReadOnlyAttributeRoundTrips) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"ro.txt");
    WriteBytes(path, 1);
    ASSERT_EQ(SetFileAttributesAt(path, attr::kReadOnly), 0u);
    EXPECT_TRUE(GetAttributeData(path)->attributes & attr::kReadOnly);
    ASSERT_EQ(SetFileAttributesAt(path, attr::kNormal), 0u);
    EXPECT_FALSE(GetAttributeData(path)->attributes & attr::kReadOnly);
    EXPECT_NE(SetFileAttributesAt(folder.Path(L"missing"), attr::kNormal), 0u);
}

TEST(FileSystemContract, CreatesAWholeFolderChain) {
    TempFolder folder;
    const std::wstring deep =
        folder.Path(L"a") + kPathDelim + L"b" + kPathDelim + L"c" + kPathDelim;
    EXPECT_TRUE(CreateFolderChain(deep));
    EXPECT_TRUE(GetAttributeData(deep)->IsFolder());
    EXPECT_TRUE(CreateFolderChain(deep)) << "an existing chain is fine";
    WriteBytes(folder.Path(L"file"), 1);
    EXPECT_FALSE(CreateFolderChain(folder.Path(L"file") + kPathDelim + L"below"));
}

TEST(FileSystemContract, FullPathNameAnchorsARelativePathInTheCurrentFolder) {
    const std::wstring name = std::wstring(1, kPathDelim) + L"some-name.txt";
    const std::wstring full = FullPathName(L"some-name.txt");
    ASSERT_GT(full.size(), name.size());
    EXPECT_EQ(full.substr(full.size() - name.size()), name);
#ifdef _WIN32
    EXPECT_EQ(full.substr(1, 2), L":\\");
#else
    EXPECT_EQ(full[0], L'/');
#endif
    TempFolder folder;
    const std::wstring absolute = folder.Path(L"a.txt");
    EXPECT_EQ(FullPathName(absolute), absolute) << "an absolute path stays as it is";
}

}  // namespace
}  // namespace dovrel
