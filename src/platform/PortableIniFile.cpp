#include "platform/PortableIniFile.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

enum class Encoding { Ansi, Utf8, Utf16 };

struct Entry {
    std::wstring name;
    std::optional<std::wstring> value;  // none for a line without "="
};

struct Section {
    std::wstring name;  // empty for the lines before the first section
    bool header = false;
    std::vector<Entry> entries;
};

struct Profile {
    Encoding encoding = Encoding::Ansi;
    std::vector<Section> sections;
};

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Read without holding the file: a profile is replaced whole by a rename, so a reader never
// meets a half-written one, and readers at the same time must all get it, as the system's
// own profile functions allow.
std::optional<std::string> ReadAllBytes(const std::wstring& fileName) {
    try {
        std::ifstream file(std::filesystem::path(fileName), std::ios::binary);
        if (!file)
            return std::nullopt;
        std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad())
            return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        // A folder of that name, or a read that failed on the way.
        return std::nullopt;
    }
}

std::wstring Decode(const std::string& bytes, Encoding& encoding) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        encoding = Encoding::Utf16;
        std::u16string units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return FromUtf16(units);
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        encoding = Encoding::Utf8;
        return FromUtf8(std::string_view(bytes).substr(3));
    }
    encoding = Encoding::Ansi;
    return FromAnsi(bytes);
}

std::string Encode(const std::wstring& text, Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf16: {
            std::string bytes = "\xFF\xFE";
            for (char16_t unit : ToUtf16(text)) {
                bytes.push_back(static_cast<char>(unit & 0xFF));
                bytes.push_back(static_cast<char>(unit >> 8));
            }
            return bytes;
        }
        case Encoding::Utf8:
            return "\xEF\xBB\xBF" + ToUtf8(text);
        case Encoding::Ansi:
            break;
    }
    std::string bytes = ToAnsi(text);
    // Read back, bytes that open like a byte-order mark would switch the whole file to
    // another encoding; a blank line first keeps it as it is.
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xEF\xBB\xBF"))
        bytes.insert(0, "\r\n");
    return bytes;
}

Profile Parse(const std::wstring& text, Encoding encoding) {
    Profile profile;
    profile.encoding = encoding;
    profile.sections.push_back(Section{});
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring_view line = Trim(std::wstring_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        if (line.front() == L'[') {
            const auto close = line.find_last_of(L']');
            if (close != std::wstring_view::npos && close > 0) {
                profile.sections.push_back(
                    Section{std::wstring(Trim(line.substr(1, close - 1))), true, {}});
                continue;
            }
        }
        const auto equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            profile.sections.back().entries.push_back(Entry{std::wstring(line), std::nullopt});
        } else {
            profile.sections.back().entries.push_back(
                Entry{std::wstring(Trim(line.substr(0, equals))),
                      std::wstring(Trim(line.substr(equals + 1)))});
        }
    }
    return profile;
}

std::wstring Render(const Profile& profile) {
    std::wstring text;
    for (const auto& section : profile.sections) {
        if (section.header)
            text += L"[" + section.name + L"]\r\n";
        for (const auto& entry : section.entries) {
            text += entry.name;
            if (entry.value)
                text += L"=" + *entry.value;
            text += L"\r\n";
        }
    }
    return text;
}

Profile Load(const std::wstring& fileName) {
    Encoding encoding = Encoding::Ansi;
    if (auto bytes = ReadAllBytes(fileName))
        return Parse(Decode(*bytes, encoding), encoding);
    Profile empty;
    empty.sections.push_back(Section{});
    return empty;
}

// The new content goes to a file beside the old one and replaces it whole, so a failure
// halfway never leaves a cut-off profile behind.
bool Store(const std::wstring& fileName, const Profile& profile) {
    const auto delim = fileName.find_last_of(kPathDelim);
    const std::wstring folder = delim == std::wstring::npos ? L"" : fileName.substr(0, delim + 1);
    std::wstring temporary;
    try {
        const std::string bytes = Encode(Render(profile), profile.encoding);
        temporary = CreateTemporaryFile(folder, L"~ini");
        {
            TFileStream file(temporary, TFileMode::fmCreate);
            file.WriteBuffer(bytes.data(), bytes.size());
            file.Flush();
        }
        RenameReplacing(temporary, fileName);
        return true;
    } catch (const Error&) {
        if (!temporary.empty())
            DeleteFileAt(temporary);
        return false;
    }
}

Section* FindSection(Profile& profile, std::wstring_view name) {
    for (auto& section : profile.sections) {
        if (section.header && SameTextIgnoringCase(section.name, name))
            return &section;
    }
    return nullptr;
}

// Quotes around a whole value are not part of it.
std::wstring Unquote(const std::wstring& value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::wstring TPortableIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                          const std::wstring& defaultValue) {
    Profile profile = Load(FileName());
    std::wstring value = defaultValue;
    if (const Section* found = FindSection(profile, Trim(section))) {
        const std::wstring_view name = Trim(key);
        for (const auto& entry : found->entries) {
            if (entry.value && SameTextIgnoringCase(entry.name, name)) {
                value = Unquote(*entry.value);
                break;
            }
        }
    }
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

void TPortableIniFile::WriteString(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& value) {
    Profile profile = Load(FileName());
    Section* target = FindSection(profile, Trim(section));
    if (target == nullptr) {
        profile.sections.push_back(Section{std::wstring(Trim(section)), true, {}});
        target = &profile.sections.back();
    }
    const std::wstring name(Trim(key));
    const std::wstring text(Trim(value));
    auto entry = std::find_if(target->entries.begin(), target->entries.end(), [&](const Entry& e) {
        return e.value && SameTextIgnoringCase(e.name, name);
    });
    if (entry != target->entries.end()) {
        entry->value = text;
    } else {
        target->entries.push_back(Entry{name, text});
    }
    if (!Store(FileName(), profile))
        FailWrite();
}

std::vector<std::wstring> TPortableIniFile::ReadSections() {
    std::vector<std::wstring> names;
    for (const auto& section : Load(FileName()).sections) {
        if (section.header)
            names.push_back(section.name);
    }
    return names;
}

void TPortableIniFile::EraseSection(const std::wstring& section) {
    if (!GetAttributeData(FileName()))
        return;  // nothing to erase, nothing created
    Profile profile = Load(FileName());
    auto& sections = profile.sections;
    const auto name = Trim(section);
    const auto found = std::find_if(sections.begin(), sections.end(), [&](const Section& s) {
        return s.header && SameTextIgnoringCase(s.name, name);
    });
    if (found == sections.end())
        return;
    sections.erase(found);
    if (!Store(FileName(), profile))
        FailWrite();
}

}  // namespace dovrel
