#include "app/KeyedTexts.h"

#include <algorithm>
#include <cstdint>

#include "platform/Error.h"

namespace dovrel {

namespace {

bool IsAsciiLetter(wchar_t c) noexcept {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool IsAsciiDigit(wchar_t c) noexcept {
    return c >= L'0' && c <= L'9';
}

wchar_t FoldCase(wchar_t c) noexcept {
    return c >= L'a' && c <= L'z' ? c - (L'a' - L'A') : c;
}

std::wstring Quoted(const std::wstring& key) {
    return L"\"" + key + L"\"";
}

}  // namespace

bool IsConstantName(std::wstring_view key) noexcept {
    if (key.empty() || IsAsciiDigit(key.front()))
        return false;
    return std::all_of(key.begin(), key.end(),
                       [](wchar_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'_'; });
}

int CompareKeys(std::wstring_view a, std::wstring_view b) noexcept {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        // Compare as unsigned codes: wchar_t is signed on some systems.
        const auto x = static_cast<std::uint32_t>(FoldCase(a[i]));
        const auto y = static_cast<std::uint32_t>(FoldCase(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<TKeyedTexts::TEntry>::const_iterator TKeyedTexts::LowerBound(
    std::wstring_view key) const noexcept {
    return std::lower_bound(
        entries_.begin(), entries_.end(), key,
        [](const TEntry& entry, std::wstring_view k) { return CompareKeys(entry.key, k) < 0; });
}

void TKeyedTexts::Add(std::wstring key, std::wstring text) {
    if (!IsConstantName(key))
        throw Error(L"Invalid constant name (" + Quoted(key) + L")");
    const auto at = LowerBound(key);
    if (at != entries_.end() && CompareKeys(at->key, key) == 0)
        throw Error(L"Duplicate constant name (" + Quoted(key) + L")");
    entries_.insert(at, TEntry{std::move(key), std::move(text)});
}

std::optional<std::size_t> TKeyedTexts::IndexOf(std::wstring_view key) const noexcept {
    const auto at = LowerBound(key);
    if (at == entries_.end() || CompareKeys(at->key, key) != 0)
        return std::nullopt;
    return static_cast<std::size_t>(at - entries_.begin());
}

const std::wstring* TKeyedTexts::Find(std::wstring_view key) const noexcept {
    const auto index = IndexOf(key);
    return index ? &entries_[*index].text : nullptr;
}

}  // namespace dovrel
