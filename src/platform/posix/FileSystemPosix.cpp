#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FaultInjection.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

// Linux has no hidden or system bits: dot files count as hidden, a file without any
// write permission as read-only.
TFileAttributeData FromStat(const struct stat& info, const std::string& name) {
    TFileAttributeData data;
    if (S_ISDIR(info.st_mode)) {
        data.attributes |= attr::kDirectory;
    } else {
        data.size = info.st_size;
        data.attributes |= attr::kArchive;
    }
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        data.attributes |= attr::kReadOnly;
    if (!name.empty() && name[0] == '.')
        data.attributes |= attr::kHidden;
    return data;
}

std::string BaseName(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const auto slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

}  // namespace

std::optional<TFileAttributeData> GetAttributeData(const std::wstring& path) {
    const std::string native = ToUtf8(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return std::nullopt;
    return FromStat(info, BaseName(native));
}

unsigned EnumerateFolder(const std::wstring& folder,
                         const std::function<bool(const TFindEntry&)>& visit) {
    std::string native = ToUtf8(folder);
    if (native.empty() || native.back() != '/')
        native.push_back('/');
    DIR* dir = ::opendir(native.c_str());
    if (dir == nullptr)
        return static_cast<unsigned>(errno);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        // Looked up in the open folder: no walk down the whole path for every entry.
        const int folderFd = ::dirfd(dir);
        struct stat info {};
        // An entry that vanished between listing and stat is simply not there.
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const bool link = S_ISLNK(info.st_mode);
        // A dangling link is listed as what it is: a link to nothing.
        if (link && ::fstatat(folderFd, entry->d_name, &info, 0) != 0)
            info.st_mode = S_IFREG | 0666, info.st_size = 0;
        TFindEntry found{FromUtf8(name), FromStat(info, name)};
        if (link)
            found.data.attributes |= attr::kReparsePoint;
        if (!visit(found))
            break;
    }
    ::closedir(dir);
    return 0;
}

unsigned SetFileAttributesAt(const std::wstring& path, std::uint32_t attributes) {
    if (const unsigned injected = InjectedFault(TFileOperation::SetAttributes, path))
        return injected;
    if ((attributes & (attr::kHidden | attr::kSystem)) != 0)
        return ENOTSUP;
    const std::string native = ToUtf8(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return static_cast<unsigned>(errno);
    mode_t mode = info.st_mode & 07777;
    if ((attributes & attr::kReadOnly) != 0) {
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else {
        mode |= S_IWUSR;
    }
    return ::chmod(native.c_str(), mode) == 0 ? 0 : static_cast<unsigned>(errno);
}

std::wstring FullPathName(const std::wstring& path) {
    if (!path.empty() && path[0] == L'/')
        return path;
    std::string current(4096, '\0');
    if (::getcwd(current.data(), current.size()) == nullptr)
        return path;
    current.resize(std::char_traits<char>::length(current.c_str()));
    if (path.empty())
        return FromUtf8(current);
    return FromUtf8(current) + (current == "/" ? L"" : L"/") + path;
}

bool CreateFolderChain(const std::wstring& folder) {
    const std::string native = ToUtf8(folder);
    for (std::size_t at = 1; at <= native.size(); ++at) {
        if (at == native.size() || native[at] == '/') {
            const std::string part = native.substr(0, at);
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    struct stat info {};
    return ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace dovrel
