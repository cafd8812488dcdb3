#include <windows.h>

#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"

namespace dovrel {

namespace {

std::int64_t SizeOf(DWORD high, DWORD low) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

}  // namespace

std::optional<TFileAttributeData> GetAttributeData(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    TFileAttributeData out;
    out.attributes = data.dwFileAttributes;
    if (!out.IsFolder())
        out.size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    return out;
}

unsigned EnumerateFolder(const std::wstring& folder,
                         const std::function<bool(const TFindEntry&)>& visit) {
    std::wstring pattern = folder;
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/'))
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE h = FindFirstFileW(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? 0 : code;  // an empty drive root lists nothing
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        TFindEntry entry{name, {found.dwFileAttributes, 0}};
        if (!entry.data.IsFolder())
            entry.data.size = SizeOf(found.nFileSizeHigh, found.nFileSizeLow);
        if (!visit(entry))
            break;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return 0;
}

unsigned SetFileAttributesAt(const std::wstring& path, std::uint32_t attributes) {
    if (const unsigned injected = InjectedFault(TFileOperation::SetAttributes, path))
        return injected;
    return SetFileAttributesW(path.c_str(), attributes) ? 0 : GetLastError();
}

std::wstring FullPathName(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

bool CreateFolderChain(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    for (std::size_t at = 0; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == L'\\' || path[at] == L'/') {
            const std::wstring part = path.substr(0, at);
            // Drive letters ("C:") and the empty root need no creating.
            if (part.empty() || (part.size() == 2 && part[1] == L':'))
                continue;
            CreateDirectoryW(part.c_str(), nullptr);
        }
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace dovrel
