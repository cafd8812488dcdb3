#include "platform/Path.h"

namespace dovrel {

namespace {

// Windows takes both slashes as separators and a colon after the drive letter.
#ifdef _WIN32
constexpr const wchar_t* kSeparators = L"\\/:";
#else
constexpr const wchar_t* kSeparators = L"/";
#endif

}  // namespace

std::wstring ExtractFileName(const std::wstring& path) {
    const auto cut = path.find_last_of(kSeparators);
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring ExtractFilePath(const std::wstring& path) {
    const auto cut = path.find_last_of(kSeparators);
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace dovrel
