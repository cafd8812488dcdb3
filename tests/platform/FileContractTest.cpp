// The file services behave alike on every system; this suite runs natively and under Wine.
#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using test::TempFolder;

void WriteText(const std::wstring& path, const std::string& text) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(text.data(), text.size());
}

std::string ReadText(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string text(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(text.data(), text.size());
    return text;
}

// The message of the Error `action` raises.
template <typename F>
std::wstring ErrorOf(F&& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.Message();
    }
    return L"(no error)";
}

TEST(FileContract, MissingFileRaisesTheOpenErrorWithTheReason) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"missing.txt");
    const std::wstring message = ErrorOf([&] { TFileStream file(path, TFileMode::fmOpenRead); });
    const std::wstring prefix = L"Cannot open file \"" + path + L"\". ";
    ASSERT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_GT(message.size(), prefix.size()) << "the system's reason is missing";
}

TEST(FileContract, CreateInAMissingFolderRaisesTheCreateError) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"no-such-folder") + kPathDelim + L"out.enc";
    const std::wstring message = ErrorOf([&] { TFileStream file(path, TFileMode::fmCreate); });
    EXPECT_EQ(message.rfind(L"Cannot create file \"" + path + L"\". ", 0), 0u) << message;
}

TEST(FileContract, CreateReplacesAndReadWriteWorksInPlace) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"data.bin");
    WriteText(path, "first content");
    WriteText(path, "second");
    EXPECT_EQ(ReadText(path), "second");
    {
        TFileStream file(path, TFileMode::fmOpenReadWrite);
        EXPECT_EQ(file.Seek(2, TSeekOrigin::soBeginning), 2);
        file.WriteBuffer("CO", 2);
        EXPECT_EQ(file.Position(), 4);
        EXPECT_EQ(file.Seek(0, TSeekOrigin::soEnd), 6);
        file.Flush();
    }
    EXPECT_EQ(ReadText(path), "seCOnd");
}

TEST(FileContract, ReadPastTheEndIsShortAndReadBufferRaises) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"short.bin");
    WriteText(path, "abc");
    TFileStream file(path, TFileMode::fmOpenRead);
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    file.Seek(0, TSeekOrigin::soBeginning);
    EXPECT_EQ(ErrorOf([&] { file.ReadBuffer(buffer, 4); }), L"Stream read error");
}

TEST(FileContract, AnOpenFileIsNotShared) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"busy.txt");
    WriteText(path, "keep me");
    TFileStream holder(path, TFileMode::fmOpenRead);
    EXPECT_EQ(ErrorOf([&] {
                  TFileStream again(path, TFileMode::fmOpenRead);
              }).rfind(L"Cannot open file", 0),
              0u);
    EXPECT_EQ(ErrorOf([&] {
                  TFileStream again(path, TFileMode::fmOpenReadWrite);
              }).rfind(L"Cannot open file", 0),
              0u);
    // A file in use is never emptied by a create of the same name.
    EXPECT_EQ(ErrorOf([&] {
                  TFileStream again(path, TFileMode::fmCreate);
              }).rfind(L"Cannot create file", 0),
              0u);
    char buffer[7];
    holder.ReadBuffer(buffer, 7);
    EXPECT_EQ(std::string(buffer, 7), "keep me");
}

TEST(FileContract, ReadOnlyFileCannotBeOpenedForWriting) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"locked.txt");
    WriteText(path, "x");
    ASSERT_EQ(SetFileAttributesAt(path, attr::kReadOnly), 0u);
    EXPECT_EQ(ErrorOf([&] {
                  TFileStream file(path, TFileMode::fmOpenReadWrite);
              }).rfind(L"Cannot open file", 0),
              0u);
    EXPECT_EQ(ErrorOf([&] {
                  TFileStream file(path, TFileMode::fmCreate);
              }).rfind(L"Cannot create file", 0),
              0u);
    EXPECT_EQ(ReadText(path), "x");
    ASSERT_EQ(SetFileAttributesAt(path, attr::kNormal), 0u);
    WriteText(path, "y");
    EXPECT_EQ(ReadText(path), "y");
}

TEST(FileContract, DeleteReportsWhatHappened) {
    TempFolder folder;
    const std::wstring path = folder.Path(L"gone.txt");
    WriteText(path, "x");
    EXPECT_EQ(DeleteFileAt(path), 0u);
    EXPECT_FALSE(GetAttributeData(path));
    EXPECT_NE(DeleteFileAt(path), 0u);
}

TEST(FileContract, RenameReplacesAnExistingTarget) {
    TempFolder folder;
    const std::wstring from = folder.Path(L"new.tmp"), to = folder.Path(L"target.txt");
    WriteText(from, "new");
    WriteText(to, "old");
    RenameReplacing(from, to);
    EXPECT_EQ(ReadText(to), "new");
    EXPECT_FALSE(GetAttributeData(from));
    EXPECT_EQ(ErrorOf([&] { RenameReplacing(from, to); }).rfind(L"Cannot rename", 0), 0u);
    EXPECT_EQ(ReadText(to), "new");
}

TEST(FileContract, TemporaryFilesAreFreshAndInTheirFolder) {
    TempFolder folder;
    const std::wstring first = CreateTemporaryFile(folder.Folder(), L"~enc");
    const std::wstring second = CreateTemporaryFile(folder.Folder(), L"~enc");
    EXPECT_NE(first, second);
    for (const auto& path : {first, second}) {
        EXPECT_EQ(path.rfind(folder.Folder() + L"~enc", 0), 0u);
        const auto data = GetAttributeData(path);
        ASSERT_TRUE(data);
        EXPECT_EQ(data->size, 0);
    }
}

}  // namespace
}  // namespace dovrel
