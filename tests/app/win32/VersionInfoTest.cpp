// The shipped Windows files carry the project's version and the program icon, as the file
// manager's properties and the list of installed programs show them.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/Text.h"

namespace dovrel {
namespace {

std::wstring BesideTests(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::wstring VersionString(const std::wstring& file, const wchar_t* key) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0)
        return L"(no version resource)";
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data()))
        return L"(unreadable)";
    void* value = nullptr;
    UINT chars = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &chars) || chars == 0)
        return L"(no " + std::wstring(key) + L")";
    return static_cast<const wchar_t*>(value);
}

TEST(VersionInfo, EveryShippedFileCarriesTheProjectVersion) {
    const std::wstring version = FromUtf8(DOVREL_VERSION);
    for (const wchar_t* name : {L"Dovrel.exe", L"dovrel-cli.exe", L"TOLV_CONTEXT_MENU.dll"}) {
        SCOPED_TRACE(ToUtf8(name));
        const std::wstring file = BesideTests(name);
        EXPECT_EQ(VersionString(file, L"ProductVersion"), version);
        EXPECT_EQ(VersionString(file, L"FileVersion"), version);
        EXPECT_EQ(VersionString(file, L"ProductName"), L"Dovrel");
        EXPECT_EQ(VersionString(file, L"OriginalFilename"), name);
    }
}

TEST(VersionInfo, ProgramsShowTheProgramIcon) {
    for (const wchar_t* name : {L"Dovrel.exe", L"dovrel-cli.exe"}) {
        SCOPED_TRACE(ToUtf8(name));
        const HICON icon = ExtractIconW(GetModuleHandleW(nullptr), BesideTests(name).c_str(), 0);
        EXPECT_NE(icon, nullptr);
        EXPECT_NE(icon, reinterpret_cast<HICON>(1)) << "not a file with icons";
        if (icon != nullptr && icon != reinterpret_cast<HICON>(1))
            DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace dovrel
