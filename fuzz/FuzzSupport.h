#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

// What the fuzz targets share: a scratch folder of their own and a way to stop loudly.
namespace dovrel::fuzz {

// Reports a broken promise of the code under test and aborts, so that libFuzzer keeps the
// input as a crash.
[[noreturn]] void Fail(std::string_view what);
[[noreturn]] void Fail(std::string_view what, std::wstring_view detail);

// The input as a byte string.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process under the temporary folder, made once and removed at exit.
const std::filesystem::path& ScratchRoot();
// `name` inside the scratch root, emptied: a fresh folder for one input.
std::filesystem::path FreshFolder(const std::string& name);
// The folder as the program writes folders, ending with a separator.
std::wstring AsFolder(const std::filesystem::path& folder);

void WriteFile(const std::filesystem::path& path, std::string_view bytes);
std::string ReadFile(const std::filesystem::path& path);
// The names in a folder.
std::set<std::string> Listing(const std::filesystem::path& folder);

}  // namespace dovrel::fuzz
