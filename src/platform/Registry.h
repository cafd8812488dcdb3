#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace dovrel {

enum class TRootKey { CurrentUser, ClassesRoot, LocalMachine };

// The registry as the program uses it: REG_SZ and REG_DWORD values under keys written
// with backslashes ("Software\\Kestrane\\Dovrel"). An empty value name is the key's
// default value.
class TRegistry {
public:
    virtual ~TRegistry() = default;

    virtual bool KeyExists(TRootKey root, const std::wstring& key) = 0;
    // Creates the key and the missing keys above it. Raises "Failed to create key %s".
    virtual void CreateKey(TRootKey root, const std::wstring& key) = 0;
    // Nothing when the key or value is missing or has another type.
    virtual std::optional<std::wstring> ReadString(TRootKey root, const std::wstring& key,
                                                   const std::wstring& name) = 0;
    virtual std::optional<std::uint32_t> ReadDword(TRootKey root, const std::wstring& key,
                                                   const std::wstring& name) = 0;
    // Create the key when needed. Raise "Failed to set data for '%s'" (the value name).
    virtual void WriteString(TRootKey root, const std::wstring& key, const std::wstring& name,
                             const std::wstring& value) = 0;
    virtual void WriteDword(TRootKey root, const std::wstring& key, const std::wstring& name,
                            std::uint32_t value) = 0;
    // True when the value existed and is gone.
    virtual bool DeleteValue(TRootKey root, const std::wstring& key, const std::wstring& name) = 0;
    // Deletes the key with all its sub-keys; true when it existed and is gone.
    virtual bool DeleteKeyTree(TRootKey root, const std::wstring& key) = 0;
};

// The system registry (Windows); an in-memory registry elsewhere.
std::unique_ptr<TRegistry> CreateSystemRegistry();

}  // namespace dovrel
