// Both ways of registering the extension, on the real registry of the test's Wine prefix:
// Dovrel.exe with its switches, and the library's own exports.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "HostSupport.h"
#include "support/TempFolder.h"

namespace dovrel::test {
namespace {

const std::wstring kServerKey = std::wstring(L"CLSID\\") + kClsid + L"\\InprocServer32";

struct TEntry {
    HKEY root;
    std::wstring key;
    std::wstring name;
};

// The seven entries of the activation.
std::array<TEntry, 7> ActivationEntries() {
    return {{
        {HKEY_CLASSES_ROOT, kServerKey, L""},
        {HKEY_CLASSES_ROOT, kServerKey, L"ThreadingModel"},
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\" + kServerKey, L""},
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\" + kServerKey, L"ThreadingModel"},
        {HKEY_LOCAL_MACHINE, kApprovedKey, kClsid},
        {HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU", L""},
        {HKEY_CLASSES_ROOT, L"Folder\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU", L""},
    }};
}

std::array<std::optional<std::wstring>, 7> ReadActivationEntries() {
    std::array<std::optional<std::wstring>, 7> values;
    const auto entries = ActivationEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        values[i] = ReadValue(entries[i].root, entries[i].key, entries[i].name);
    return values;
}

// Wine draws windows on an X display; without one the program cannot start.
bool WineWithoutDisplay() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr &&
           GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0;
}

std::optional<DWORD> RunDovrel(const std::wstring& arguments) {
    return RunAndWait(L"\"" + BinFolder() + L"Dovrel.exe\" " + arguments);
}

class ActivationSwitches : public testing::Test {
protected:
    void SetUp() override {
        // The program creates its windows, hidden, before it ends.
        if (WineWithoutDisplay())
            GTEST_SKIP() << "Dovrel.exe needs a display";
        RemoveAllRegistration();
    }
    void TearDown() override { RemoveAllRegistration(); }
};

TEST_F(ActivationSwitches, ActivateWritesExactlyTheSevenEntriesAndEnds) {
    ASSERT_EQ(RunDovrel(L"/activate"), 0u) << "the program ends by itself";
    const std::wstring library = BinFolder() + L"TOLV_CONTEXT_MENU.dll";
    const std::wstring clsid = kClsid;
    const std::array<std::optional<std::wstring>, 7> expected = {
        library, L"Apartment", library, L"Apartment", L"Tolvarin Context Menu Shell Extension",
        clsid,   clsid};
    EXPECT_EQ(ReadActivationEntries(), expected);
    // Nothing else below the class and handler keys.
    EXPECT_EQ(CountsOf(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid).values, 0u);
    EXPECT_EQ(CountsOf(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid).subKeys, 1u);
    EXPECT_EQ(CountsOf(HKEY_CLASSES_ROOT, kServerKey).values, 2u);
    EXPECT_EQ(CountsOf(HKEY_CLASSES_ROOT, kServerKey).subKeys, 0u);
    for (const wchar_t* shellClass : {L"*", L"Folder"}) {
        const auto counts = CountsOf(HKEY_CLASSES_ROOT, std::wstring(shellClass) +
                                                            L"\\shellex\\ContextMenuHandlers\\"
                                                            L"TOLV_CNTX_MENU");
        EXPECT_EQ(counts.values, 1u);
        EXPECT_EQ(counts.subKeys, 0u);
    }
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU"))
        << "the library's own class key is its own registration's";
}

TEST_F(ActivationSwitches, ActivatingTwiceGivesTheSameEntries) {
    ASSERT_EQ(RunDovrel(L"/activate"), 0u);
    const auto once = ReadActivationEntries();
    ASSERT_EQ(RunDovrel(L"/activate /activate"), 0u);
    EXPECT_EQ(ReadActivationEntries(), once);
    EXPECT_EQ(CountsOf(HKEY_CLASSES_ROOT, kServerKey).values, 2u);
}

TEST_F(ActivationSwitches, ActivateThenDeactivateLeavesNoneOfTheEntries) {
    ASSERT_EQ(RunDovrel(L"/activate /deactivate"), 0u);
    EXPECT_EQ(ReadActivationEntries(), (std::array<std::optional<std::wstring>, 7>{}));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU"));
    // And with the entries written by an earlier run.
    ASSERT_EQ(RunDovrel(L"/activate"), 0u);
    ASSERT_EQ(RunDovrel(L"/deactivate"), 0u);
    EXPECT_EQ(ReadActivationEntries(), (std::array<std::optional<std::wstring>, 7>{}));
}

// The library's exports, called as a registration tool calls them.
class LibraryRegistration : public testing::Test {
protected:
    void SetUp() override {
        RemoveAllRegistration();
        // A folder with a blank, where the library registers its short path.
        folder_ = temp_.Path(L"with blank");
        std::filesystem::create_directories(folder_);
        library_ = folder_ + L"\\TOLV_CONTEXT_MENU.dll";
        ASSERT_TRUE(
            CopyFileW((BinFolder() + L"TOLV_CONTEXT_MENU.dll").c_str(), library_.c_str(), FALSE));
        module_ = LoadLibraryW(library_.c_str());
        ASSERT_NE(module_, nullptr);
        registerServer_ = ExportOf<HRESULT(WINAPI*)()>(module_, "DllRegisterServer");
        unregisterServer_ = ExportOf<HRESULT(WINAPI*)()>(module_, "DllUnregisterServer");
        ASSERT_NE(registerServer_, nullptr);
        ASSERT_NE(unregisterServer_, nullptr);
    }
    void TearDown() override {
        if (module_ != nullptr)
            FreeLibrary(module_);
        RemoveAllRegistration();
    }

    TempFolder temp_;
    std::wstring folder_;
    std::wstring library_;
    HMODULE module_ = nullptr;
    HRESULT(WINAPI* registerServer_)() = nullptr;
    HRESULT(WINAPI* unregisterServer_)() = nullptr;
};

const std::wstring kOwnHandlers = L"TOLV_CNTX_MENU\\shellex\\ContextMenuHandlers";

TEST_F(LibraryRegistration, RegisterWritesTheClassWithTheShortPathAndItsOwnHandlerKey) {
    ASSERT_EQ(registerServer_(), S_OK);
    const std::wstring description = L"Dovrel Context Menu Shell Extension";
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid, L""), description);
    const auto registered = ReadValue(HKEY_CLASSES_ROOT, kServerKey, L"");
    ASSERT_TRUE(registered);
    EXPECT_EQ(registered->find(L' '), std::wstring::npos) << "the short form: " << *registered;
    wchar_t longPath[MAX_PATH * 4];
    ASSERT_NE(GetLongPathNameW(registered->c_str(), longPath, MAX_PATH * 4), 0u);
    EXPECT_EQ(CompareStringOrdinal(longPath, -1, library_.c_str(), -1, TRUE), CSTR_EQUAL)
        << "names " << std::filesystem::path(longPath).string();
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, kServerKey, L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU\\shellex", L""), L"");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, kOwnHandlers, L""), L"");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, kOwnHandlers + L"\\ContMenu", L""), kClsid);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kApprovedKey, kClsid), description);
    // Only the main program attaches the handler to every file and folder.
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU"));
    EXPECT_FALSE(
        KeyExists(HKEY_CLASSES_ROOT, L"Folder\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU"));
}

TEST_F(LibraryRegistration, UnregisterDeletesItsKeysButTheClassKeyAndTheApproval) {
    ASSERT_EQ(registerServer_(), S_OK);
    ASSERT_EQ(unregisterServer_(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU\\shellex"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU"));
    EXPECT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kApprovedKey, kClsid));
    EXPECT_EQ(unregisterServer_(), S_OK) << "absent keys are passed over";
}

TEST_F(LibraryRegistration, UnregisterLeavesAKeyThatStillHasSubKeys) {
    ASSERT_EQ(registerServer_(), S_OK);
    WriteValue(HKEY_CLASSES_ROOT, kOwnHandlers + L"\\Other", L"", L"{other}");
    ASSERT_EQ(unregisterServer_(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kOwnHandlers + L"\\ContMenu"));
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, kOwnHandlers + L"\\Other", L""), L"{other}");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU\\shellex"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsid));
}

}  // namespace
}  // namespace dovrel::test
