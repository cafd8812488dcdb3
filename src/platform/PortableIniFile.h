#pragma once

#include "platform/IniFile.h"

namespace dovrel {

// The private-profile routines of Windows rebuilt on plain file access, for systems that
// lack them: the same lookups and the same file layout after writes. A file without a
// byte-order mark is read and written in the ANSI code page; one with a UTF-16 or UTF-8
// mark keeps its encoding.
class TPortableIniFile final : public TIniFile {
public:
    explicit TPortableIniFile(std::wstring fileName) : TIniFile(std::move(fileName)) {}

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) override;
    void WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
    std::vector<std::wstring> ReadSections() override;
    void EraseSection(const std::wstring& section) override;
};

}  // namespace dovrel
