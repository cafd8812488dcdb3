#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/KeyedTexts.h"

namespace dovrel {

// A value of a language file with its escapes decoded: "\\" a backslash, "\n" CR LF, "\t"
// a tab, a backslash and two decimal digits the character of that code; any other
// backslash stays as it is.
std::wstring DecodeEscapes(std::wstring_view value);

// The language a file's header declares (the lines before its first section): the first
// LANGID parameter in decimal, 0 when it is missing or not a number from 1 to 65535.
std::uint16_t ReadLanguageId(const std::vector<std::wstring>& lines);
// The same for a file on disk; raises the file-open error when it cannot be read.
std::uint16_t ReadLanguageFileId(const std::wstring& path);

// A language file loaded in full: catalogue texts from its "$CONSTANTS" section and
// property texts by identifier from one section per window.
class TLanguageFile {
public:
    using TPropertyTexts = std::map<int, std::wstring>;

    // Raises "Loading translations failed.\r\nLine %d: %s" with the index of the offending
    // line (from 0) and the reason: an invalid or repeated catalogue key, or a property
    // identifier repeated within a window's section.
    static TLanguageFile Parse(const std::vector<std::wstring>& lines);
    static TLanguageFile Load(const std::wstring& path);

    std::uint16_t LanguageId() const noexcept { return languageId_; }
    const TKeyedTexts& Constants() const noexcept { return constants_; }
    // The property texts of the section named `window` (in any letter case); null when the
    // file has none.
    const TPropertyTexts* WindowTexts(std::wstring_view window) const noexcept;

private:
    friend class TLanguageFileParser;

    std::uint16_t languageId_ = 0;
    TKeyedTexts constants_;
    std::vector<std::pair<std::wstring, TPropertyTexts>> windows_;
};

}  // namespace dovrel
