#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "platform/FaultInjection.h"
#include "platform/File.h"
#include "platform/FileErrors.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace dovrel {

class TFileStream::Handle {
public:
    explicit Handle(int fd) : fd(fd) {}
    ~Handle() { ::close(fd); }
    int fd;
};

namespace {

std::string Native(const std::wstring& path) {
    return ToUtf8(path);
}

std::wstring Reason(int code) {
    return SystemErrorText(static_cast<unsigned>(code));
}

// The folder part of a path, for syncing the folder after a rename.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

TFileStream::TFileStream(const std::wstring& path, TFileMode mode) : path_(path) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case TFileMode::fmOpenRead:
            flags |= O_RDONLY;
            break;
        case TFileMode::fmOpenReadWrite:
            flags |= O_RDWR;
            break;
        case TFileMode::fmCreate:
            flags |= O_RDWR | O_CREAT;
            break;
    }
    const bool creating = mode == TFileMode::fmCreate;
    if (const unsigned injected =
            InjectedFault(creating ? TFileOperation::Create : TFileOperation::Open, path)) {
        throw creating ? CreateFileError(path, injected) : OpenFileError(path, injected);
    }
    const int fd = ::open(Native(path).c_str(), flags, 0666);
    if (fd < 0) {
        const int code = errno;
        throw creating ? CreateFileError(path, code) : OpenFileError(path, code);
    }
    // Not shared: a second opener inside or outside the program is refused, as Windows
    // refuses a file opened without sharing.
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    int refusal = 0;
    if (statted && S_ISDIR(info.st_mode))
        refusal = EISDIR;
    // A file without write permission is read-only even for root, as the read-only
    // attribute of Windows binds every user.
    if (statted && mode != TFileMode::fmOpenRead &&
        (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        refusal = EACCES;
    }
    if (refusal != 0) {
        ::close(fd);
        throw creating ? CreateFileError(path, refusal) : OpenFileError(path, refusal);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        throw creating ? CreateFileError(path, code) : OpenFileError(path, code);
    }
    // Truncate only once the lock is ours, so a file in use is never emptied.
    if (creating && ::ftruncate(fd, 0) != 0) {
        const int code = errno;
        ::close(fd);
        throw CreateFileError(path, code);
    }
    handle_ = std::make_unique<Handle>(fd);
}

TFileStream::~TFileStream() = default;

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    if (InjectedFault(TFileOperation::Read, path_) != 0)
        return 0;
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(handle_->fd, out + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    if (InjectedFault(TFileOperation::Write, path_) != 0)
        return 0;
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(handle_->fd, in + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t at = ::lseek(handle_->fd, static_cast<off_t>(offset), whence);
    if (at < 0)
        throw Error(L"Stream seek error. " + Reason(errno));
    return at;
}

std::int64_t TFileStream::Size() {
    struct stat info {};
    if (::fstat(handle_->fd, &info) != 0)
        throw Error(L"Stream read error");
    return info.st_size;
}

void TFileStream::Flush() {
    if (InjectedFault(TFileOperation::Flush, path_) != 0 || ::fsync(handle_->fd) != 0)
        throw Error(L"Stream write error");
}

unsigned ProbeReplaceable(const std::wstring& path) {
    struct stat info {};
    if (::stat(Native(path).c_str(), &info) != 0)
        return errno == ENOENT ? 0 : static_cast<unsigned>(errno);
    try {
        TFileStream probe(path, TFileMode::fmOpenReadWrite);
    } catch (const Error& e) {
        return e.SystemCode() != 0 ? e.SystemCode() : static_cast<unsigned>(EACCES);
    }
    return 0;
}

unsigned DeleteFileAt(const std::wstring& path) {
    if (const unsigned injected = InjectedFault(TFileOperation::Delete, path))
        return injected;
    return ::unlink(Native(path).c_str()) == 0 ? 0 : static_cast<unsigned>(errno);
}

void RenameReplacing(const std::wstring& from, const std::wstring& to) {
    const std::string target = Native(to);
    if (const unsigned injected = InjectedFault(TFileOperation::Rename, from)) {
        throw Error(L"Cannot rename \"" + from + L"\" to \"" + to + L"\". " +
                    Reason(static_cast<int>(injected)));
    }
    if (::rename(Native(from).c_str(), target.c_str()) != 0) {
        throw Error(L"Cannot rename \"" + from + L"\" to \"" + to + L"\". " + Reason(errno));
    }
    // The new name is only durable once its folder is on disk too.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

std::wstring CreateTemporaryFile(const std::wstring& folder, const std::wstring& prefix) {
    static thread_local std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[17];
        swprintf(suffix, 17, L"%016llx", static_cast<unsigned long long>(rng()));
        const std::wstring path = folder + prefix + suffix + L".tmp";
        if (const unsigned injected = InjectedFault(TFileOperation::Create, path))
            throw CreateFileError(path, injected);
        const int fd = ::open(Native(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            throw CreateFileError(path, errno);
    }
    throw CreateFileError(folder + prefix, EEXIST);
}

}  // namespace dovrel
