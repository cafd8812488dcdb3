#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/memory/MemoryRegistry.h"

namespace dovrel::test {

// An in-memory registry that records its string writes in order and can be told to fail
// the write of one value, as a key without the rights to it fails.
class TRecordingRegistry final : public TRegistry {
public:
    struct Write {
        TRootKey root;
        std::wstring key;
        std::wstring name;
        std::wstring data;
        bool operator==(const Write&) const = default;
    };

    // The write number `index` (from 0) raises the registry's error instead.
    void FailWrite(std::size_t index) { failAt_ = index; }
    const std::vector<Write>& Writes() const { return writes_; }

    bool KeyExists(TRootKey root, const std::wstring& key) override {
        return inner_.KeyExists(root, key);
    }
    void CreateKey(TRootKey root, const std::wstring& key) override { inner_.CreateKey(root, key); }
    std::optional<std::wstring> ReadString(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override {
        return inner_.ReadString(root, key, name);
    }
    std::optional<std::uint32_t> ReadDword(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override {
        return inner_.ReadDword(root, key, name);
    }
    void WriteString(TRootKey root, const std::wstring& key, const std::wstring& name,
                     const std::wstring& value) override {
        if (attempts_++ == failAt_)
            throw Error(L"Failed to set data for '" + name + L"'");
        inner_.WriteString(root, key, name, value);
        writes_.push_back({root, key, name, value});
    }
    void WriteDword(TRootKey root, const std::wstring& key, const std::wstring& name,
                    std::uint32_t value) override {
        inner_.WriteDword(root, key, name, value);
    }
    bool DeleteValue(TRootKey root, const std::wstring& key, const std::wstring& name) override {
        return inner_.DeleteValue(root, key, name);
    }
    bool DeleteKeyTree(TRootKey root, const std::wstring& key) override {
        return inner_.DeleteKeyTree(root, key);
    }

private:
    TMemoryRegistry inner_;
    std::vector<Write> writes_;
    std::size_t attempts_ = 0;
    std::size_t failAt_ = static_cast<std::size_t>(-1);
};

inline void PrintTo(const TRecordingRegistry::Write& write, std::ostream* out) {
    *out << static_cast<int>(write.root) << " \"" << ToUtf8(write.key) << "\" \""
         << ToUtf8(write.name) << "\" = \"" << ToUtf8(write.data) << "\"";
}

}  // namespace dovrel::test
