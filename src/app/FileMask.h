#pragma once

#include <string_view>

namespace dovrel {

// True when a file name fits a mask of the folder listing kind: "*" stands for any run of
// characters, "?" for one character, letters A to Z match in either case.
bool MatchesFileMask(std::wstring_view name, std::wstring_view mask) noexcept;

}  // namespace dovrel
