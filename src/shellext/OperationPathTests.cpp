// The path tests behind each command's IsApplicable.
#include "app/FileMask.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "shellext/Operations.h"

namespace dovrel::shellext {

namespace {

constexpr std::wstring_view kEncryptedExtension = L".enc";

// From the last "." of the name, the "." included; empty when the name has none.
std::wstring_view ExtensionOf(const std::wstring& name) {
    const auto dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring_view() : std::wstring_view(name).substr(dot);
}

bool IsExistingFile(const std::wstring& path) {
    const auto data = GetAttributeData(path);
    return data && !data->IsFolder();
}

// "C:" of "C:\x", "\\server\share" of "\\server\share\x"; empty for anything else.
std::wstring DrivePart(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':')
        return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        const auto serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos || serverEnd == 2)
            return {};
        return path.substr(0, path.find(L'\\', serverEnd + 1));
    }
    return {};
}

}  // namespace

bool TOperation::IsFolder(const std::wstring& path) {
    const auto data = GetAttributeData(path);
    return data && data->IsFolder();
}

bool TOperation::IsPlainFile(const std::wstring& path) {
    return IsExistingFile(path) && ExtensionOf(ExtractFileName(path)) != kEncryptedExtension;
}

bool TOperation::IsEncryptedFile(const std::wstring& path) {
    return IsExistingFile(path) && ExtensionOf(ExtractFileName(path)) == kEncryptedExtension;
}

bool TOperation::FolderHasEncryptedFiles(const std::wstring& path) {
    if (!IsFolder(path))
        return false;
    bool found = false;
    // The folder listing's mask rules: "*.enc" matches in either letter case, folders too.
    EnumerateFolder(path, [&found](const TFindEntry& entry) {
        found = MatchesFileMask(entry.name, L"*.enc");
        return !found;
    });
    return found;
}

bool TOperation::IsDriveRoot(const std::wstring& path) {
    const std::wstring drive = DrivePart(path);
    return !drive.empty() && path == drive + L'\\';
}

}  // namespace dovrel::shellext
