#include <gtest/gtest.h>

#include "platform/Error.h"
#include "shellext/RecordingRegistry.h"
#include "shellext/RegistrationTables.h"

namespace dovrel::shellext {
namespace {

using test::TRecordingRegistry;
using Write = TRecordingRegistry::Write;

const std::wstring kClsid = L"{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}";
const std::wstring kDescription = L"Dovrel Context Menu Shell Extension";

std::vector<Write> ExpectedServerWrites(const std::wstring& library) {
    return {
        {TRootKey::ClassesRoot, L"CLSID\\" + kClsid, L"", kDescription},
        {TRootKey::ClassesRoot, L"CLSID\\" + kClsid + L"\\InprocServer32", L"", library},
        {TRootKey::ClassesRoot, L"CLSID\\" + kClsid + L"\\InprocServer32", L"ThreadingModel",
         L"Apartment"},
        {TRootKey::ClassesRoot, L"TOLV_CNTX_MENU\\shellex", L"", L""},
        {TRootKey::ClassesRoot, L"TOLV_CNTX_MENU\\shellex\\ContextMenuHandlers", L"", L""},
        {TRootKey::ClassesRoot, L"TOLV_CNTX_MENU\\shellex\\ContextMenuHandlers\\ContMenu", L"",
         kClsid},
        {TRootKey::LocalMachine,
         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved", kClsid,
         kDescription},
    };
}

TEST(ServerRegistration, WritesTheClassAndItsOwnHandlerKeyAndTheApprovalOnNt) {
    TRecordingRegistry registry;
    WriteValues(registry, ServerValues(L"C:\\Dovrel\\TOLV_CONTEXT_MENU.dll", true));
    EXPECT_EQ(registry.Writes(), ExpectedServerWrites(L"C:\\Dovrel\\TOLV_CONTEXT_MENU.dll"));
    // Only the main program attaches the handler to every file and folder.
    EXPECT_FALSE(registry.KeyExists(TRootKey::ClassesRoot, L"*\\shellex"));
    EXPECT_FALSE(registry.KeyExists(TRootKey::ClassesRoot, L"Folder\\shellex"));
}

TEST(ServerRegistration, OutsideTheNtFamilyNoApprovalIsWritten) {
    TRecordingRegistry registry;
    WriteValues(registry, ServerValues(L"C:\\x.dll", false));
    auto expected = ExpectedServerWrites(L"C:\\x.dll");
    expected.pop_back();
    EXPECT_EQ(registry.Writes(), expected);
}

TEST(ServerRegistration, AFailureStopsTheSequenceAndKeepsWhatWasWritten) {
    TRecordingRegistry registry;
    registry.FailWrite(2);
    EXPECT_THROW(WriteValues(registry, ServerValues(L"C:\\x.dll", true)), Error);
    const auto expected = ExpectedServerWrites(L"C:\\x.dll");
    EXPECT_EQ(registry.Writes(), std::vector<Write>(expected.begin(), expected.begin() + 2));
}

TEST(ServerRegistration, TheLibraryPathIsShortenedOnlyWhenItHasABlank) {
    int shortFormCalls = 0;
    const auto shortForm = [&shortFormCalls](const std::wstring& path) {
        ++shortFormCalls;
        return path == L"C:\\Program Files\\Dovrel\\TOLV_CONTEXT_MENU.dll"
                   ? std::wstring(L"C:\\PROGRA~1\\Dovrel\\TOLV_C~1.DLL")
                   : std::wstring();
    };
    EXPECT_EQ(ServerLibraryPath(L"C:\\Dovrel\\TOLV_CONTEXT_MENU.dll", shortForm),
              L"C:\\Dovrel\\TOLV_CONTEXT_MENU.dll");
    EXPECT_EQ(shortFormCalls, 0);
    EXPECT_EQ(ServerLibraryPath(L"C:\\Program Files\\Dovrel\\TOLV_CONTEXT_MENU.dll", shortForm),
              L"C:\\PROGRA~1\\Dovrel\\TOLV_C~1.DLL");
    // A volume without short names gives none; the long path still names the library.
    EXPECT_EQ(ServerLibraryPath(L"D:\\No Short\\TOLV_CONTEXT_MENU.dll", shortForm),
              L"D:\\No Short\\TOLV_CONTEXT_MENU.dll");
}

TEST(ServerRegistration, UnregistrationDeletesChildrenBeforeTheirParents) {
    const std::vector<std::wstring> expected = {
        L"TOLV_CNTX_MENU\\shellex\\ContextMenuHandlers\\ContMenu",
        L"TOLV_CNTX_MENU\\shellex\\ContextMenuHandlers",
        L"TOLV_CNTX_MENU\\shellex",
        L"CLSID\\" + kClsid + L"\\InprocServer32",
        L"CLSID\\" + kClsid,
    };
    EXPECT_EQ(ServerKeysToDelete(), expected);
}

}  // namespace
}  // namespace dovrel::shellext
