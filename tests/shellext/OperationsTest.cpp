#include <gtest/gtest.h>

#include "platform/memory/MemoryRegistry.h"
#include "shellext/ContextMenuModel.h"
#include "shellext/Operations.h"
#include "shellext/SelectionFixture.h"

namespace dovrel::shellext {
namespace {

struct Started {
    std::wstring file, parameters, folder;
    bool operator==(const Started&) const = default;
};

std::wstring OfferedFor(const std::vector<std::wstring>& selection) {
    TContextMenuModel model;
    model.SetSelection(selection);
    model.BuildOffered();
    std::wstring names;
    for (const TOperation* operation : model.Offered())
        names += (names.empty() ? L"" : L" ") + std::wstring(operation->ClassName());
    return names;
}

TEST(ShellExtOperations, OfferedCommandsFollowWhatTheSelectionHolds) {
    test::SelectionFixture fx;
    fx.File(L"deep/sub/a.enc");
    fx.Folder(L"holder/old.enc");
    fx.File(L"upper/X.ENC");
    const struct {
        std::vector<std::wstring> selection;
        const wchar_t* offered;
    } cases[] = {
        // ".ENC" is not ".enc": the upper-case file is a plain one.
        {{fx.File(L"report.ENC")}, L"TEncrypt THide TShred"},
        {{fx.File(L"secret.enc")}, L"TDecrypt TEncrypt THide TShred"},
        {{fx.File(L"archive.tar.enc")}, L"TDecrypt TEncrypt THide TShred"},
        {{fx.File(L"plain.txt"), fx.File(L"secret.enc")}, L"TDecrypt TEncrypt THide TShred"},
        {{fx.File(L"secret.enc"), fx.File(L"plain.txt")}, L"TDecrypt TEncrypt THide TShred"},
        {{fx.File(L"noext")}, L"TEncrypt THide TShred"},
        // Only entries directly inside count, folders among them.
        {{fx.Path(L"deep")}, L"TEncrypt THide TShred"},
        {{fx.Path(L"holder")}, L"TDecrypt TEncrypt THide TShred"},
        // The folder search matches as the file manager's does, in either letter case.
        {{fx.Path(L"upper")}, L"TDecrypt TEncrypt THide TShred"},
        // The extension is taken from the name, not from a folder above it.
        {{fx.File(L"dir.enc/inner")}, L"TEncrypt THide TShred"},
        {{fx.Path(L"dir.enc")}, L"TEncrypt THide TShred"},
        {{fx.Folder(L"empty")}, L"TEncrypt THide TShred"},
        {{fx.Path(L"missing.enc")}, L""},
        {{fx.Path(L"missing"), fx.File(L"plain.txt")}, L"TEncrypt THide TShred"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.selection));
        EXPECT_EQ(OfferedFor(c.selection), c.offered);
    }
}

TEST(ShellExtOperations, ADriveRootIsOfferedForHidingEvenWhereItIsNoFolder) {
#ifdef _WIN32
    // On Windows it is a folder as well; Decrypt depends on what lies in it.
    const std::wstring offered = OfferedFor({L"C:\\"});
    EXPECT_TRUE(offered == L"TEncrypt THide TShred" || offered == L"TDecrypt TEncrypt THide TShred")
        << testing::PrintToString(offered);
#else
    EXPECT_EQ(OfferedFor({L"C:\\"}), L"THide");
#endif
}

TEST(ShellExtOperations, DriveRoots) {
    const struct {
        const wchar_t* path;
        bool root;
    } cases[] = {
        {L"C:\\", true},
        {L"z:\\", true},
        {L"\\\\server\\share\\", true},
        {L"C:", false},
        {L"C:\\Windows", false},
        {L"C:\\Windows\\", false},
        {L"\\\\server\\share", false},
        {L"\\\\server\\share\\dir\\", false},
        {L"\\\\server\\", false},
        {L"\\", false},
        {L"", false},
        {L"/", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TOperation::IsDriveRoot(c.path), c.root) << testing::PrintToString(c.path);
}

TEST(ShellExtOperations, TheFourCommandsWithTheirTextsPicturesAndSwitches) {
    TMemoryRegistry registry;
    registry.WriteString(TRootKey::CurrentUser, L"Software\\Kestrane\\Dovrel\\", L"AppPath",
                         L"C:\\Program Files\\Dovrel\\");
    const struct {
        const wchar_t* className;
        const wchar_t* caption;
        const wchar_t* help;
        const wchar_t* switchText;
    } expected[] = {
        {L"TDecrypt", L"Decrypt with Dovrel...", L"Decrypt previously encrypted files",
         L"/decrypt"},
        {L"TEncrypt", L"Encrypt with Dovrel...",
         L"Encrypt files and change their extensions to .enc", L"/encrypt"},
        {L"THide", L"Hide with Dovrel...", L"Hide files, folders or drives from Explorer",
         L"/hide"},
        {L"TShred", L"Shred with Dovrel...", L"Securely delete files", L"/shred"},
    };
    const TOperationList& list = OperationList();
    ASSERT_EQ(list.size(), std::size(expected));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i]->ClassName(), expected[i].className);
        EXPECT_EQ(list[i]->Caption(), expected[i].caption);
        EXPECT_EQ(list[i]->HelpText(), expected[i].help);
        EXPECT_EQ(list[i]->ImageIndex(), i);
        std::vector<Started> started;
        list[i]->Execute({registry, [&started](const std::wstring& f, const std::wstring& p,
                                               const std::wstring& d) {
                              started.push_back({f, p, d});
                          }});
        EXPECT_EQ(started,
                  (std::vector<Started>{{L"C:\\Program Files\\Dovrel\\Dovrel.exe",
                                         expected[i].switchText, L"C:\\Program Files\\Dovrel\\"}}));
    }
}

TEST(ShellExtOperations, WithoutAppPathTheStartNamesTheProgramAloneInNoFolder) {
    TMemoryRegistry registry;
    std::vector<Started> started;
    OperationList()[3]->Execute(
        {registry, [&started](const std::wstring& f, const std::wstring& p, const std::wstring& d) {
             started.push_back({f, p, d});
         }});
    EXPECT_EQ(started, (std::vector<Started>{{L"Dovrel.exe", L"/shred", L""}}));
}

}  // namespace
}  // namespace dovrel::shellext
