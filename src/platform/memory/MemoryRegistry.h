#pragma once

#include <map>
#include <variant>

#include "platform/Registry.h"

namespace dovrel {

// A registry held in memory, for tests and for systems without one. Key and value names
// are matched without regard to letter case, as Windows matches them.
class TMemoryRegistry final : public TRegistry {
public:
    bool KeyExists(TRootKey root, const std::wstring& key) override;
    void CreateKey(TRootKey root, const std::wstring& key) override;
    std::optional<std::wstring> ReadString(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override;
    std::optional<std::uint32_t> ReadDword(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override;
    void WriteString(TRootKey root, const std::wstring& key, const std::wstring& name,
                     const std::wstring& value) override;
    void WriteDword(TRootKey root, const std::wstring& key, const std::wstring& name,
                    std::uint32_t value) override;
    bool DeleteValue(TRootKey root, const std::wstring& key, const std::wstring& name) override;
    bool DeleteKeyTree(TRootKey root, const std::wstring& key) override;

    // Makes every later write fail, as writes fail without the rights to a key.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    using Value = std::variant<std::wstring, std::uint32_t>;
    using Values = std::map<std::wstring, Value>;     // by folded name
    using KeyId = std::pair<TRootKey, std::wstring>;  // folded path without end separators

    Values* Find(TRootKey root, const std::wstring& key);
    Values& Create(TRootKey root, const std::wstring& key);
    void Write(TRootKey root, const std::wstring& key, const std::wstring& name, Value value);

    std::map<KeyId, Values> keys_;
    bool readOnly_ = false;
};

}  // namespace dovrel
