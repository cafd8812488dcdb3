#pragma once

#include <memory>
#include <string>

#include "platform/Stream.h"

namespace dovrel {

// How a file is opened. Every mode shares nothing with other openers, so a file that is
// in use elsewhere cannot be opened and a file this program holds cannot be changed behind
// its back.
enum class TFileMode {
    fmOpenRead,       // existing file, read only
    fmOpenReadWrite,  // existing file, read and write in place
    fmCreate,         // new empty file, replacing one of that name
};

class TFileStream final : public TStream {
public:
    // Raises "Cannot open file "%s". %s" or, for fmCreate, "Cannot create file "%s". %s"
    // with the path and the system's reason.
    TFileStream(const std::wstring& path, TFileMode mode);
    ~TFileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;

    // Pushes what was written through to the device ("Stream write error" on failure).
    void Flush();
    const std::wstring& Path() const noexcept { return path_; }

    class Handle;

private:
    std::wstring path_;
    std::unique_ptr<Handle> handle_;
};

// The separator of path components on this system.
#ifdef _WIN32
inline constexpr wchar_t kPathDelim = L'\\';
#else
inline constexpr wchar_t kPathDelim = L'/';
#endif

// Whether a file could be replaced right now: 0 when nothing is at `path` or the file there
// can be opened for writing without sharing (it is opened and closed unchanged), else the
// system error code (read-only, in use, a folder, no right).
unsigned ProbeReplaceable(const std::wstring& path);

// Deletes a file; returns the system error code, 0 on success.
unsigned DeleteFileAt(const std::wstring& path);

// Moves `from` over `to`, replacing a file of that name, and makes the new name durable
// before returning. Raises an Error with the system's reason on failure.
void RenameReplacing(const std::wstring& from, const std::wstring& to);

// A name in `folder` (which ends with a separator) that no file has yet, created empty
// so that nothing else takes it. The name starts with `prefix`.
std::wstring CreateTemporaryFile(const std::wstring& folder, const std::wstring& prefix);

}  // namespace dovrel
