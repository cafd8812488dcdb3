// Stands in for Dovrel.exe when the context menu starts "the program": records the
// arguments it was given and the folder it was started in, in "started.txt" beside
// itself, one UTF-8 line each, the folder last.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::wstring OwnFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), n);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring record;
    for (int i = 1; i < count; ++i)
        record += std::wstring(arguments[i]) + L"\n";
    LocalFree(arguments);
    wchar_t folder[MAX_PATH * 4];
    GetCurrentDirectoryW(MAX_PATH * 4, folder);
    record += folder;
    record += L"\n";
    // Written aside and renamed, so the test never reads half a record.
    const std::wstring target = OwnFolder() + L"started.txt";
    WriteAll(target + L".part", Utf8(record));
    MoveFileExW((target + L".part").c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
