#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/IniFile.h"

namespace dovrel {

// The options file "options.ini" in the data folder, section "Options". Nothing is cached:
// every read and write goes to the file, so an object lives only for one use.
class TOptions {
public:
    TOptions();
    // For tests and tools: an options object on another file.
    explicit TOptions(std::unique_ptr<TIniFile> file);

    // Missing file or key, unreadable file and text that is not a number give the default.
    bool ReadBool(const std::wstring& key, bool defaultValue);
    std::int32_t ReadInteger(const std::wstring& key, std::int32_t defaultValue);
    std::wstring ReadString(const std::wstring& key, const std::wstring& defaultValue);

    // Raises "Unable to write to %s" with the options file's path.
    void WriteBool(const std::wstring& key, bool value);

private:
    std::unique_ptr<TIniFile> file_;
};

// Decimal, or hexadecimal after "$" or "0x"/"0X" (at least one digit after "0x"); nothing
// for anything else, including values outside 32 bits.
bool ParseOptionInteger(const std::wstring& text, std::int32_t& value);

}  // namespace dovrel
