#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace dovrel {

// File attribute bits, the values Windows uses.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
// A link to another place (a junction or symbolic link); folders walks need not follow it.
inline constexpr std::uint32_t kReparsePoint = 0x400;
}  // namespace attr

struct TFileAttributeData {
    std::uint32_t attributes = 0;
    std::int64_t size = 0;  // 0 for folders

    bool IsFolder() const noexcept { return (attributes & attr::kDirectory) != 0; }
};

struct TFindEntry {
    std::wstring name;  // the entry's name, without its folder
    TFileAttributeData data;
};

// Attributes and size of a path, without opening it; nothing when it does not exist.
std::optional<TFileAttributeData> GetAttributeData(const std::wstring& path);

// Calls `visit` for every entry of `folder` (hidden and system ones included, "." and ".."
// left out) in the order the file system lists them; stops early when `visit` returns
// false. Returns the system error code of opening the folder, 0 on success.
unsigned EnumerateFolder(const std::wstring& folder,
                         const std::function<bool(const TFindEntry&)>& visit);

// Returns the system error code, 0 on success. Where the system has no such attribute
// (hidden or system bits on Linux), the call fails with "not supported".
unsigned SetFileAttributesAt(const std::wstring& path, std::uint32_t attributes);

// The absolute form of a path given relative to the current folder (and, on Windows, the
// current drive); the item need not exist.
std::wstring FullPathName(const std::wstring& path);

// Creates `folder` and every missing folder above it; true when it exists afterwards.
bool CreateFolderChain(const std::wstring& folder);

}  // namespace dovrel
