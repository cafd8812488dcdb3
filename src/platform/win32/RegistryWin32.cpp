#include <windows.h>

#include "platform/Error.h"
#include "platform/Registry.h"

namespace dovrel {

namespace {

HKEY RootHandle(TRootKey root) {
    switch (root) {
        case TRootKey::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case TRootKey::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case TRootKey::CurrentUser:
            break;
    }
    return HKEY_CURRENT_USER;
}

class Key {
public:
    Key() = default;
    ~Key() {
        if (h_ != nullptr)
            RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool Open(TRootKey root, const std::wstring& path, REGSAM access) {
        return RegOpenKeyExW(RootHandle(root), path.c_str(), 0, access, &h_) == ERROR_SUCCESS;
    }
    bool Create(TRootKey root, const std::wstring& path) {
        return RegCreateKeyExW(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE, nullptr, &h_, nullptr) == ERROR_SUCCESS;
    }
    HKEY Get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

class TWin32Registry final : public TRegistry {
public:
    bool KeyExists(TRootKey root, const std::wstring& key) override {
        Key k;
        return k.Open(root, key, KEY_READ);
    }

    void CreateKey(TRootKey root, const std::wstring& key) override {
        Key k;
        if (!k.Create(root, key))
            throw Error(L"Failed to create key " + key);
    }

    std::optional<std::wstring> ReadString(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override {
        Key k;
        if (!k.Open(root, key, KEY_READ))
            return std::nullopt;
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(k.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        if (RegQueryValueExW(k.Get(), name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(value.data()), &got) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.resize(got / sizeof(wchar_t));
        // Stored strings usually carry their terminator; the value does not.
        while (!value.empty() && value.back() == L'\0')
            value.pop_back();
        return value;
    }

    std::optional<std::uint32_t> ReadDword(TRootKey root, const std::wstring& key,
                                           const std::wstring& name) override {
        Key k;
        if (!k.Open(root, key, KEY_READ))
            return std::nullopt;
        DWORD type = 0, value = 0, size = sizeof value;
        if (RegQueryValueExW(k.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            return std::nullopt;
        }
        return value;
    }

    void WriteString(TRootKey root, const std::wstring& key, const std::wstring& name,
                     const std::wstring& value) override {
        const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        SetValue(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    }

    void WriteDword(TRootKey root, const std::wstring& key, const std::wstring& name,
                    std::uint32_t value) override {
        const DWORD data = value;
        SetValue(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

    bool DeleteValue(TRootKey root, const std::wstring& key, const std::wstring& name) override {
        Key k;
        return k.Open(root, key, KEY_SET_VALUE) &&
               RegDeleteValueW(k.Get(), name.c_str()) == ERROR_SUCCESS;
    }

    bool DeleteKeyTree(TRootKey root, const std::wstring& key) override {
        if (key.empty())
            return false;
        return RegDeleteTreeW(RootHandle(root), key.c_str()) == ERROR_SUCCESS;
    }

private:
    static void SetValue(TRootKey root, const std::wstring& key, const std::wstring& name,
                         DWORD type, const BYTE* data, DWORD size) {
        Key k;
        if (!k.Create(root, key) ||
            RegSetValueExW(k.Get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS) {
            throw Error(L"Failed to set data for '" + name + L"'");
        }
    }
};

}  // namespace

std::unique_ptr<TRegistry> CreateSystemRegistry() {
    return std::make_unique<TWin32Registry>();
}

}  // namespace dovrel
