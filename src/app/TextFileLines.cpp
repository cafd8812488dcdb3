#include "app/TextFileLines.h"

#include "platform/File.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) noexcept {
    return bytes.substr(0, prefix.size()) == prefix;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    if (bytes.size() % 2 != 0)
        units.push_back(u'\uFFFD');
    return FromUtf16(units);
}

}  // namespace

std::wstring DecodeTextBytes(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return FromUtf8(bytes.substr(3));
    if (StartsWith(bytes, "\xFF\xFE"))
        return DecodeUtf16(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF"))
        return DecodeUtf16(bytes.substr(2), true);
    return FromAnsi(bytes);
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::wstring> ReadTextFileLines(const std::wstring& path) {
    TFileStream file(path, TFileMode::fmOpenRead);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    return SplitLines(DecodeTextBytes(bytes));
}

}  // namespace dovrel
