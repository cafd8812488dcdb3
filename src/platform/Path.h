#pragma once

#include <string>

namespace dovrel {

// The name part of a path: what follows the last separator (and, on Windows, drive colon).
std::wstring ExtractFileName(const std::wstring& path);
// The folder part: everything up to and including that separator; empty when none.
std::wstring ExtractFilePath(const std::wstring& path);

}  // namespace dovrel
