#include "app/FileMask.h"

#include <cstddef>

namespace dovrel {

namespace {

wchar_t FoldCase(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? c - (L'a' - L'A') : c;
}

}  // namespace

bool MatchesFileMask(std::wstring_view name, std::wstring_view mask) noexcept {
    std::size_t n = 0;
    std::size_t m = 0;
    // Where the last "*" was and how much of the name it has taken, to widen it on a miss.
    std::size_t starMask = std::wstring_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == L'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == L'?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::wstring_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*')
        ++m;
    return m == mask.size();
}

}  // namespace dovrel
