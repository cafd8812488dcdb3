#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/Shell.h"

namespace dovrel {

std::wstring RoamingAppDataFolder() {
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return path;
}

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

unsigned ShellOpen(const std::wstring& file, const std::wstring& parameters) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success as a value above 32 and failures as small error codes.
    return result > 32 ? 0 : static_cast<unsigned>(result == 0 ? ERROR_OUTOFMEMORY : result);
}

unsigned StartHidden(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    // The system may write into the command line it is given.
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

void BroadcastSettingChange() {
    SendMessageW(HWND_BROADCAST, WM_WININICHANGE, 0, 0);
}

}  // namespace dovrel
