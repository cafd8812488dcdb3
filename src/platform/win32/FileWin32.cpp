#include <windows.h>

#include <algorithm>
#include <random>

#include "platform/FaultInjection.h"
#include "platform/File.h"
#include "platform/FileErrors.h"
#include "platform/SystemError.h"

namespace dovrel {

class TFileStream::Handle {
public:
    explicit Handle(HANDLE h) : h(h) {}
    ~Handle() { CloseHandle(h); }
    HANDLE h;
};

namespace {

// ReadFile and WriteFile move at most this much per call.
constexpr std::size_t kMaxTransfer = 1u << 30;

}  // namespace

TFileStream::TFileStream(const std::wstring& path, TFileMode mode) : path_(path) {
    const bool creating = mode == TFileMode::fmCreate;
    if (const unsigned injected =
            InjectedFault(creating ? TFileOperation::Create : TFileOperation::Open, path)) {
        throw creating ? CreateFileError(path, injected) : OpenFileError(path, injected);
    }
    const DWORD access =
        mode == TFileMode::fmOpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    // Windows refuses to write a read-only file; say so before asking, because Wine running
    // as root lets such a write through and would empty the file on a create.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (mode != TFileMode::fmOpenRead && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        throw creating ? CreateFileError(path, ERROR_ACCESS_DENIED)
                       : OpenFileError(path, ERROR_ACCESS_DENIED);
    }
    const HANDLE h =
        CreateFileW(path.c_str(), access, 0, nullptr, creating ? CREATE_ALWAYS : OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        throw creating ? CreateFileError(path, code) : OpenFileError(path, code);
    }
    handle_ = std::make_unique<Handle>(h);
}

TFileStream::~TFileStream() = default;

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    if (InjectedFault(TFileOperation::Read, path_) != 0)
        return 0;
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD n = 0;
        const DWORD ask = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        if (!ReadFile(handle_->h, out + done, ask, &n, nullptr) || n == 0)
            break;
        done += n;
    }
    return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    if (InjectedFault(TFileOperation::Write, path_) != 0)
        return 0;
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD n = 0;
        const DWORD ask = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        if (!WriteFile(handle_->h, in + done, ask, &n, nullptr) || n == 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                         : origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                            : FILE_END;
    LARGE_INTEGER distance, at;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_->h, distance, &at, method)) {
        throw Error(L"Stream seek error. " + SystemErrorText(GetLastError()));
    }
    return at.QuadPart;
}

std::int64_t TFileStream::Size() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_->h, &size))
        throw Error(L"Stream read error");
    return size.QuadPart;
}

void TFileStream::Flush() {
    if (InjectedFault(TFileOperation::Flush, path_) != 0 || !FlushFileBuffers(handle_->h))
        throw Error(L"Stream write error");
}

unsigned ProbeReplaceable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? 0 : code;
    }
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return ERROR_ACCESS_DENIED;
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(h);
    return 0;
}

unsigned DeleteFileAt(const std::wstring& path) {
    if (const unsigned injected = InjectedFault(TFileOperation::Delete, path))
        return injected;
    return DeleteFileW(path.c_str()) ? 0 : GetLastError();
}

void RenameReplacing(const std::wstring& from, const std::wstring& to) {
    DWORD code = InjectedFault(TFileOperation::Rename, from);
    if (code == 0 &&
        !MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = GetLastError();
    if (code != 0) {
        throw Error(L"Cannot rename \"" + from + L"\" to \"" + to + L"\". " +
                    SystemErrorText(code));
    }
}

std::wstring CreateTemporaryFile(const std::wstring& folder, const std::wstring& prefix) {
    static thread_local std::mt19937_64 rng{std::random_device{}() ^ GetCurrentProcessId()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[17];
        swprintf(suffix, 17, L"%016llx", static_cast<unsigned long long>(rng()));
        const std::wstring path = folder + prefix + suffix + L".tmp";
        if (const unsigned injected = InjectedFault(TFileOperation::Create, path))
            throw CreateFileError(path, injected);
        const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return path;
        }
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            throw CreateFileError(path, code);
        }
    }
    throw CreateFileError(folder + prefix, ERROR_FILE_EXISTS);
}

}  // namespace dovrel
