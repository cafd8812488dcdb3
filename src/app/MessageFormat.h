#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace dovrel {

// One argument of a catalogue text: a whole number or a text.
using TFormatArg = std::variant<std::int64_t, std::wstring>;

// Fills the placeholders of a catalogue text: %d a decimal number, %s a text, %% a percent
// sign, each %d or %s taking the next argument. Catalogue texts may come from a language
// file, which is outside data, so a pattern that does not fit its arguments still gives a
// readable text and never fails: a placeholder shows its argument whatever the kind (a
// number in decimal, a text as it is), a placeholder left without an argument stays as
// written, arguments left over are dropped, and "%" before any other character is kept.
std::wstring FormatMessageText(std::wstring_view pattern, std::span<const TFormatArg> args);

template <typename T>
TFormatArg ToFormatArg(T&& value) {
    if constexpr (std::is_integral_v<std::remove_cvref_t<T>>)
        return TFormatArg(std::in_place_index<0>, static_cast<std::int64_t>(value));
    else
        return TFormatArg(std::in_place_index<1>, std::wstring(std::forward<T>(value)));
}

// FormatMessageText(LookupMessage(L"Files_were"), count, doneWord)
template <typename... Args>
std::wstring FormatMessageText(std::wstring_view pattern, Args&&... args) {
    const std::array<TFormatArg, sizeof...(Args)> list{ToFormatArg(std::forward<Args>(args))...};
    return FormatMessageText(pattern, std::span<const TFormatArg>(list));
}

}  // namespace dovrel
