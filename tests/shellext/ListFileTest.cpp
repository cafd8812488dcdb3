#include <gtest/gtest.h>

#include "app/TextFileLines.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "shellext/ListFile.h"
#include "shellext/SelectionFixture.h"

namespace dovrel::shellext {
namespace {

std::string ReadBytes(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

TEST(ListFile, AnsiLinesEndedByCrLfWithoutAByteOrderMark) {
    EXPECT_EQ(EncodeListFile({L"C:\\Users\\Zo\u00EB\\a.txt", L"D:\\", L"E:\\x y"}),
              "C:\\Users\\Zo\xEB\\a.txt\r\nD:\\\r\nE:\\x y\r\n");
}

TEST(ListFile, APathOutsideTheCodePageTurnsTheWholeListToUtf8) {
    // "?" in its place would hand the program another item or none.
    EXPECT_EQ(EncodeListFile({L"C:\\Zo\u00EB.txt", L"C:\\\u03A9\u6587.txt"}),
              "\xEF\xBB\xBF"
              "C:\\Zo\xC3\xAB.txt\r\nC:\\\xCE\xA9\xE6\x96\x87.txt\r\n");
}

TEST(ListFile, TheProgramReadsBackWhatWasWrittenInEitherEncoding) {
    test::SelectionFixture fx;
    const std::vector<std::vector<std::wstring>> lists = {
        {L"C:\\a.txt", L"C:\\Caf\u00E9", L"C:\\"},
        {L"C:\\\u0141\u00F3d\u017A.txt", L"C:\\b.txt"},
    };
    for (const auto& paths : lists) {
        WriteListFile(fx.Path(L"data/"), paths);
        EXPECT_EQ(ReadTextFileLines(fx.Path(L"data/todo")), paths);
    }
}

TEST(ListFile, AListWhoseCodePageBytesWouldOpenLikeAByteOrderMarkIsWrittenInUtf8) {
    // "ÿþ", "þÿ" and "ï»¿" fit the code page, but in it they read as a byte-order mark.
    for (const wchar_t* first : {L"\u00FF\u00FEa", L"\u00FE\u00FFa", L"\u00EF\u00BB\u00BFa"}) {
        const std::vector<std::wstring> paths = {first, L"C:\\b"};
        EXPECT_EQ(SplitLines(DecodeTextBytes(EncodeListFile(paths))), paths);
    }
}

TEST(ListFile, TheFolderChainIsCreatedAndALongerOldListLeavesNothingBehind) {
    test::SelectionFixture fx;
    const std::wstring folder = fx.Path(L"roaming/more/Dovrel/");
    WriteListFile(folder, {L"C:\\a rather long first path.txt", L"C:\\second.txt"});
    WriteListFile(folder, {L"C:\\b"});
    EXPECT_EQ(ReadBytes(folder + L"todo"), "C:\\b\r\n");
}

TEST(ListFile, AFolderThatCannotBeMadeRaises) {
    test::SelectionFixture fx;
    const std::wstring blocked = fx.File(L"file") + kPathDelim + L"Dovrel" + kPathDelim;
    EXPECT_THROW(WriteListFile(blocked, {L"C:\\a"}), Error);
}

TEST(ListFile, TheDataFolderOfTheMainProgram) {
    EXPECT_EQ(ListFileFolder(L"R"), std::wstring(L"R") + kPathDelim + L"Dovrel" + kPathDelim);
    // Without a roaming folder the file would land wherever the file manager stands.
    EXPECT_THROW(ListFileFolder(L""), Error);
}

}  // namespace
}  // namespace dovrel::shellext
