#include "platform/memory/MemoryRegistry.h"

#include <cwctype>

#include "platform/Error.h"

namespace dovrel {

namespace {

std::wstring Fold(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text)
        out.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
    return out;
}

// "A\\B\\" and "a\\b" name the same key.
std::wstring KeyPath(const std::wstring& key) {
    std::wstring path = Fold(key);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    while (!path.empty() && path.front() == L'\\')
        path.erase(path.begin());
    return path;
}

}  // namespace

TMemoryRegistry::Values* TMemoryRegistry::Find(TRootKey root, const std::wstring& key) {
    const auto found = keys_.find({root, KeyPath(key)});
    return found == keys_.end() ? nullptr : &found->second;
}

TMemoryRegistry::Values& TMemoryRegistry::Create(TRootKey root, const std::wstring& key) {
    const std::wstring path = KeyPath(key);
    if (readOnly_ && !Find(root, path))
        throw Error(L"Failed to create key " + key);
    for (std::size_t at = path.find(L'\\'); at != std::wstring::npos;
         at = path.find(L'\\', at + 1)) {
        keys_[{root, path.substr(0, at)}];
    }
    return keys_[{root, path}];
}

bool TMemoryRegistry::KeyExists(TRootKey root, const std::wstring& key) {
    return Find(root, key) != nullptr;
}

void TMemoryRegistry::CreateKey(TRootKey root, const std::wstring& key) {
    Create(root, key);
}

std::optional<std::wstring> TMemoryRegistry::ReadString(TRootKey root, const std::wstring& key,
                                                        const std::wstring& name) {
    const Values* values = Find(root, key);
    if (values == nullptr)
        return std::nullopt;
    const auto value = values->find(Fold(name));
    if (value == values->end() || !std::holds_alternative<std::wstring>(value->second))
        return std::nullopt;
    return std::get<std::wstring>(value->second);
}

std::optional<std::uint32_t> TMemoryRegistry::ReadDword(TRootKey root, const std::wstring& key,
                                                        const std::wstring& name) {
    const Values* values = Find(root, key);
    if (values == nullptr)
        return std::nullopt;
    const auto value = values->find(Fold(name));
    if (value == values->end() || !std::holds_alternative<std::uint32_t>(value->second))
        return std::nullopt;
    return std::get<std::uint32_t>(value->second);
}

void TMemoryRegistry::Write(TRootKey root, const std::wstring& key, const std::wstring& name,
                            Value value) {
    if (readOnly_)
        throw Error(L"Failed to set data for '" + name + L"'");
    Create(root, key)[Fold(name)] = std::move(value);
}

void TMemoryRegistry::WriteString(TRootKey root, const std::wstring& key, const std::wstring& name,
                                  const std::wstring& value) {
    Write(root, key, name, value);
}

void TMemoryRegistry::WriteDword(TRootKey root, const std::wstring& key, const std::wstring& name,
                                 std::uint32_t value) {
    Write(root, key, name, value);
}

bool TMemoryRegistry::DeleteValue(TRootKey root, const std::wstring& key,
                                  const std::wstring& name) {
    Values* values = Find(root, key);
    return !readOnly_ && values != nullptr && values->erase(Fold(name)) == 1;
}

bool TMemoryRegistry::DeleteKeyTree(TRootKey root, const std::wstring& key) {
    const std::wstring path = KeyPath(key);
    if (readOnly_ || path.empty() || !Find(root, path))
        return false;
    for (auto it = keys_.begin(); it != keys_.end();) {
        const auto& [itRoot, itPath] = it->first;
        const bool inside = itRoot == root && (itPath == path || itPath.starts_with(path + L'\\'));
        it = inside ? keys_.erase(it) : std::next(it);
    }
    return true;
}

}  // namespace dovrel
