#include "app/LanguageFile.h"

#include <climits>
#include <optional>

#include "app/TextFileLines.h"
#include "platform/Error.h"

namespace dovrel {

namespace {

// Spaces and control characters, as the trimming of language files counts them.
bool IsBlank(wchar_t c) noexcept {
    return static_cast<std::uint32_t>(c) <= 0x20;
}

bool IsDigit(wchar_t c) noexcept {
    return c >= L'0' && c <= L'9';
}

std::wstring_view Trim(std::wstring_view text) noexcept {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A decimal number of digits only, nothing when it is empty or exceeds `limit`.
std::optional<long long> ParseDecimal(std::wstring_view text, long long limit) noexcept {
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::uint16_t ParseLanguageId(std::wstring_view value) noexcept {
    return static_cast<std::uint16_t>(ParseDecimal(value, 0xFFFF).value_or(0));
}

struct TLine {
    enum class TKind { Skip, Section, Pair } kind = TKind::Skip;
    std::wstring_view name;  // section name, or parameter name
    std::wstring_view value;
};

TLine ClassifyLine(std::wstring_view raw) noexcept {
    const std::wstring_view line = Trim(raw);
    if (line.empty() || line.front() == L';')
        return {};
    if (line.size() > 2 && line.front() == L'[' && line.back() == L']')
        return {TLine::TKind::Section, Trim(line.substr(1, line.size() - 2)), {}};
    const auto equals = line.find(L'=');
    if (equals == std::wstring_view::npos)
        return {};
    const std::wstring_view name = Trim(line.substr(0, equals));
    if (name.empty())
        return {};
    return {TLine::TKind::Pair, name, Trim(line.substr(equals + 1))};
}

bool IsLanguageIdName(std::wstring_view name) noexcept {
    return CompareKeys(name, L"LANGID") == 0;
}

}  // namespace

std::wstring DecodeEscapes(std::wstring_view value) {
    std::wstring out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const wchar_t c = value[i];
        const wchar_t next = i + 1 < value.size() ? value[i + 1] : L'\0';
        if (c != L'\\') {
            out.push_back(c);
        } else if (next == L'\\') {
            out.push_back(L'\\');
            ++i;
        } else if (next == L'n') {
            out.append(L"\r\n");
            ++i;
        } else if (next == L't') {
            out.push_back(L'\t');
            ++i;
        } else if (IsDigit(next) && i + 2 < value.size() && IsDigit(value[i + 2])) {
            out.push_back(static_cast<wchar_t>((next - L'0') * 10 + (value[i + 2] - L'0')));
            i += 2;
        } else {
            out.push_back(L'\\');
        }
    }
    return out;
}

std::uint16_t ReadLanguageId(const std::vector<std::wstring>& lines) {
    for (const auto& raw : lines) {
        const TLine line = ClassifyLine(raw);
        if (line.kind == TLine::TKind::Section)
            break;
        if (line.kind == TLine::TKind::Pair && IsLanguageIdName(line.name))
            return ParseLanguageId(DecodeEscapes(line.value));
    }
    return 0;
}

std::uint16_t ReadLanguageFileId(const std::wstring& path) {
    return ReadLanguageId(ReadTextFileLines(path));
}

TLanguageFile TLanguageFile::Load(const std::wstring& path) {
    return Parse(ReadTextFileLines(path));
}

// Fills a file line by line, remembering which section the lines belong to.
class TLanguageFileParser {
public:
    void ParseLine(std::wstring_view raw) {
        const TLine line = ClassifyLine(raw);
        if (line.kind == TLine::TKind::Section)
            OpenSection(line.name);
        else if (line.kind == TLine::TKind::Pair)
            AddPair(line.name, line.value);
    }

    TLanguageFile Take() { return std::move(file_); }

private:
    enum class TPlace { Header, Constants, Window };

    void OpenSection(std::wstring_view name) {
        if (CompareKeys(name, L"$CONSTANTS") == 0) {
            place_ = TPlace::Constants;
            return;
        }
        place_ = TPlace::Window;
        window_ = &WindowSection(name);
    }

    void AddPair(std::wstring_view name, std::wstring_view value) {
        switch (place_) {
            case TPlace::Header:
                if (IsLanguageIdName(name) && !languageIdSeen_) {
                    file_.languageId_ = ParseLanguageId(DecodeEscapes(value));
                    languageIdSeen_ = true;
                }
                break;
            case TPlace::Constants:
                file_.constants_.Add(std::wstring(name), DecodeEscapes(value));
                break;
            case TPlace::Window:
                AddProperty(name, value);
                break;
        }
    }

    void AddProperty(std::wstring_view name, std::wstring_view value) {
        const auto id = ParseDecimal(name, INT_MAX);
        if (!id || *id == 0)
            return;
        const int key = static_cast<int>(*id);
        if (!window_->emplace(key, DecodeEscapes(value)).second)
            throw Error(L"Duplicate property value translation ID (" + std::to_wstring(key) + L")");
    }

    // A section named again continues the one opened first.
    TLanguageFile::TPropertyTexts& WindowSection(std::wstring_view window) {
        for (auto& [name, texts] : file_.windows_) {
            if (CompareKeys(name, window) == 0)
                return texts;
        }
        return file_.windows_.emplace_back(std::wstring(window), TLanguageFile::TPropertyTexts{})
            .second;
    }

    TLanguageFile file_;
    TPlace place_ = TPlace::Header;
    TLanguageFile::TPropertyTexts* window_ = nullptr;
    bool languageIdSeen_ = false;
};

TLanguageFile TLanguageFile::Parse(const std::vector<std::wstring>& lines) {
    TLanguageFileParser parser;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        try {
            parser.ParseLine(lines[i]);
        } catch (const Error& e) {
            throw Error(L"Loading translations failed.\r\nLine " + std::to_wstring(i) + L": " +
                        e.Message());
        }
    }
    return parser.Take();
}

const TLanguageFile::TPropertyTexts* TLanguageFile::WindowTexts(
    std::wstring_view window) const noexcept {
    for (const auto& [name, texts] : windows_) {
        if (CompareKeys(name, window) == 0)
            return &texts;
    }
    return nullptr;
}

}  // namespace dovrel
