#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// True for an identifier: ASCII letters, digits and underscores, not starting with a digit.
bool IsConstantName(std::wstring_view key) noexcept;

// Orders keys without regard to the letter case of A to Z (a to z fold to upper case, so
// "_" sorts after every letter); other characters compare by their code.
int CompareKeys(std::wstring_view a, std::wstring_view b) noexcept;

// Texts by catalogue key, held sorted by CompareKeys and found by bisection.
class TKeyedTexts {
public:
    struct TEntry {
        std::wstring key;
        std::wstring text;
    };

    // Raises "Invalid constant name ("key")" for a key that is not an identifier and
    // "Duplicate constant name ("key")" for one already present in any letter case.
    void Add(std::wstring key, std::wstring text);

    // The position of `key` in Entries(), nothing when absent.
    std::optional<std::size_t> IndexOf(std::wstring_view key) const noexcept;
    // The text of `key`; null when absent.
    const std::wstring* Find(std::wstring_view key) const noexcept;

    const std::vector<TEntry>& Entries() const noexcept { return entries_; }

private:
    std::vector<TEntry>::const_iterator LowerBound(std::wstring_view key) const noexcept;

    std::vector<TEntry> entries_;
};

}  // namespace dovrel
