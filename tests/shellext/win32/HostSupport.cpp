#include "HostSupport.h"

#include <vector>

namespace dovrel::test {

std::wstring BinFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    const std::wstring file(path.data(), n);
    return file.substr(0, file.rfind(L'\\') + 1);
}

std::optional<DWORD> RunAndWait(const std::wstring& commandLine, DWORD timeoutMs) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return std::nullopt;
    }
    std::optional<DWORD> code;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = exitCode;
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& key,
                                      const std::wstring& name) {
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::wstring> value;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size);
        data.resize(wcslen(data.c_str()));
        value = data;
    }
    RegCloseKey(handle);
    return value;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

TKeyCounts CountsOf(HKEY root, const std::wstring& key) {
    TKeyCounts counts;
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return counts;
    RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &counts.subKeys, nullptr, nullptr,
                     &counts.values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    return counts;
}

void WriteValue(HKEY root, const std::wstring& key, const std::wstring& name,
                const std::wstring& data) {
    HKEY handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void RemoveAllRegistration() {
    const std::wstring clsid = kClsid;
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"SOFTWARE\\Classes\\CLSID\\" + clsid).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Folder\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TOLV_CNTX_MENU");
    HKEY approved;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kApprovedKey, 0, KEY_SET_VALUE, &approved) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(approved, kClsid);
        RegCloseKey(approved);
    }
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::optional<std::string> WaitForFile(const std::wstring& path, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (auto bytes = ReadFileBytes(path))
            return bytes;
        if (GetTickCount64() >= end)
            return std::nullopt;
        Sleep(100);
    }
}

}  // namespace dovrel::test
