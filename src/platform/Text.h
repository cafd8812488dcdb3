#pragma once

#include <algorithm>
#include <cwctype>
#include <string>
#include <string_view>

// The one place where texts change encoding. Texts in memory are std::wstring: UTF-16 on
// Windows, UTF-32 where wchar_t is 32 bits wide.
namespace dovrel {

std::string ToUtf8(std::wstring_view text);
// Invalid sequences become U+FFFD.
std::wstring FromUtf8(std::string_view bytes);

std::u16string ToUtf16(std::wstring_view text);
// Unpaired surrogates become U+FFFD where wchar_t is 32 bits wide.
std::wstring FromUtf16(std::u16string_view units);

// The ANSI code page of passwords and the program's text files: the system's code page on
// Windows, Windows-1252 elsewhere. Characters the code page lacks become "?".
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// Equal texts without regard to letter case, as the system compares profile names.
inline bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) ==
                      std::towlower(static_cast<wint_t>(y));
           });
}

}  // namespace dovrel
