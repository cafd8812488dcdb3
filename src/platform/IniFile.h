#pragma once

#include <memory>
#include <string>
#include <vector>

namespace dovrel {

// A private-profile INI file as Windows keeps it: sections and keys are matched without
// regard to letter case, every call reads or writes the file anew, values are cut to
// kMaxValueLength characters when read.
class TIniFile {
public:
    static constexpr std::size_t kMaxValueLength = 2047;

    virtual ~TIniFile() = default;

    const std::wstring& FileName() const noexcept { return fileName_; }

    // The value, or `defaultValue` when the file, section or key is missing.
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& defaultValue) = 0;
    // Creates the file and the section when needed. Raises "Unable to write to %s".
    virtual void WriteString(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value) = 0;
    // Section names in file order; empty for a missing file.
    virtual std::vector<std::wstring> ReadSections() = 0;
    // Removes the section with all its keys. Raises "Unable to write to %s".
    virtual void EraseSection(const std::wstring& section) = 0;

protected:
    explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}

    [[noreturn]] void FailWrite() const;

private:
    std::wstring fileName_;
};

// The system's implementation for `fileName`; the file need not exist.
std::unique_ptr<TIniFile> OpenIniFile(const std::wstring& fileName);

}  // namespace dovrel
