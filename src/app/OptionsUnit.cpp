#include "app/OptionsUnit.h"

#include <limits>

#include "app/AppFolders.h"
#include "platform/Error.h"

namespace dovrel {

namespace {

constexpr const wchar_t* kSection = L"Options";

int DigitValue(wchar_t c, int base) {
    int v = -1;
    if (c >= L'0' && c <= L'9')
        v = c - L'0';
    if (c >= L'a' && c <= L'f')
        v = c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        v = c - L'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

bool ParseOptionInteger(const std::wstring& text, std::int32_t& value) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+'))
        negative = text[at++] == L'-';
    int base = 10;
    if (at < text.size() && text[at] == L'$') {
        base = 16, ++at;
    } else if (text.size() - at >= 3 && text[at] == L'0' &&
               (text[at + 1] == L'x' || text[at + 1] == L'X')) {
        base = 16, at += 2;
    }
    if (at == text.size())
        return false;
    // Hexadecimal texts may fill all 32 bits ("$FFFFFFFF" is -1); decimal ones must fit.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : 0x80000000ull;
    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0)
            return false;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > limit)
            return false;
    }
    if (base == 10 && !negative &&
        magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}

TOptions::TOptions() : TOptions(OpenIniFile(GetDataFolder() + L"options.ini")) {}

TOptions::TOptions(std::unique_ptr<TIniFile> file) : file_(std::move(file)) {}

bool TOptions::ReadBool(const std::wstring& key, bool defaultValue) {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

std::int32_t TOptions::ReadInteger(const std::wstring& key, std::int32_t defaultValue) {
    std::int32_t value = defaultValue;
    if (!ParseOptionInteger(ReadString(key, L""), value))
        return defaultValue;
    return value;
}

std::wstring TOptions::ReadString(const std::wstring& key, const std::wstring& defaultValue) {
    try {
        return file_->ReadString(kSection, key, defaultValue);
    } catch (const Error&) {
        return defaultValue;
    }
}

void TOptions::WriteBool(const std::wstring& key, bool value) {
    file_->WriteString(kSection, key, value ? L"1" : L"0");
}

}  // namespace dovrel
