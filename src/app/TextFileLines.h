#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The text of a file's bytes: a byte-order mark selects UTF-8 or UTF-16 (either byte
// order) and is dropped; without one the bytes are in the ANSI code page. A last odd
// byte of UTF-16 becomes U+FFFD.
std::wstring DecodeTextBytes(std::string_view bytes);

// Lines split at CR LF, a lone CR or a lone LF. A break at the very end closes the last
// line and opens no empty one.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// The lines of a text file. Raises "Cannot open file "%s". %s" when it cannot be read.
std::vector<std::wstring> ReadTextFileLines(const std::wstring& path);

}  // namespace dovrel
