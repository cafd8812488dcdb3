#pragma once

#include <windows.h>

#include <optional>
#include <string>

// What the Windows tests of the context-menu extension share: the built programs beside
// the test, the registry as the file manager reads it, and files written by others.
namespace dovrel::test {

inline constexpr const wchar_t* kClsid = L"{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}";
inline constexpr const wchar_t* kApprovedKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

// The folder of the test program, where the build puts Dovrel.exe and the library too.
std::wstring BinFolder();

// Runs `commandLine` and waits for its end; its exit code, or nothing after `timeoutMs`.
std::optional<DWORD> RunAndWait(const std::wstring& commandLine, DWORD timeoutMs = 120000);

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& key, const std::wstring& name);
bool KeyExists(HKEY root, const std::wstring& key);
// Numbers of values and sub-keys of an existing key.
struct TKeyCounts {
    DWORD values = 0;
    DWORD subKeys = 0;
};
TKeyCounts CountsOf(HKEY root, const std::wstring& key);
void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name,
                const std::wstring& data);

// Removes every entry of the activation and of the library's registration.
void RemoveAllRegistration();

// An export of `module` as the function type it has, or null; through a generic function
// pointer, as GetProcAddress's own type fits no export.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Waits for a file to appear and returns its bytes.
std::optional<std::string> WaitForFile(const std::wstring& path, DWORD timeoutMs);

}  // namespace dovrel::test
