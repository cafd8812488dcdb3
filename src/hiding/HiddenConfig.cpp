#include "hiding/HiddenConfig.h"

#include <algorithm>

#include "app/AppFolders.h"
#include "app/Logger.h"
#include "app/OptionsUnit.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace dovrel {

namespace {

constexpr const wchar_t* kFileName = L"base.dat";
constexpr const wchar_t* kPasswordSection = L"Password";
constexpr const wchar_t* kCountSection = L"Count";
constexpr const wchar_t* kItemPrefix = L"Item";
constexpr const wchar_t* kItemTypeKey = L"ItemType";
constexpr const wchar_t* kFilePathKey = L"FilePath";

// A file the program wrote has a section for every item it counts. A hand-edited count
// may exceed that: the missing items are read as empty ones, but only this many of them,
// so that a count of two billion cannot exhaust the memory at every start.
constexpr int kMissingItemAllowance = 1024;

std::wstring ItemSection(int index) {
    return kItemPrefix + std::to_wstring(index);
}

int ReadInteger(TIniFile& file, const std::wstring& section, const std::wstring& key) {
    std::int32_t value = 0;
    if (!ParseOptionInteger(file.ReadString(section, key, L""), value))
        return 0;
    return value;
}

int LoadableCount(int count, std::size_t sections) {
    const auto limit = static_cast<long long>(sections) + kMissingItemAllowance;
    if (count > limit) {
        LogMessage(L"Item count " + std::to_wstring(count) + L" cut to " + std::to_wstring(limit),
                   L"THiddenConfig.Load");
        return static_cast<int>(limit);
    }
    return count;
}

// Stale items of earlier saves go, whatever their numbers, and with them any other
// section whose name has "Item" in it. An erasure takes the first section of the name in
// any letter case, which may be a foreign one ("IteM0" for "Item0"), so the sweep is
// repeated while one is left; each round erases at least one section.
void EraseItemSections(TIniFile& file) {
    for (std::size_t rounds = file.ReadSections().size() + 1; rounds > 0; --rounds) {
        bool erased = false;
        for (const std::wstring& section : file.ReadSections()) {
            if (section.find(kItemPrefix) != std::wstring::npos) {
                file.EraseSection(section);
                erased = true;
            }
        }
        if (!erased)
            return;
    }
}

std::unique_ptr<THiddenConfig>& Instance() {
    static std::unique_ptr<THiddenConfig> store;
    return store;
}

}  // namespace

THiddenConfig::THiddenConfig() : THiddenConfig(GetDataFolder()) {}

THiddenConfig::THiddenConfig(std::wstring dataFolder) : dataFolder_(std::move(dataFolder)) {}

// A change that cannot be saved is taken back, so the items in memory are always those the
// file was last written with.
void THiddenConfig::AddItem(THiddenItemType kind, const std::wstring& path) {
    items_.push_back(std::make_unique<THiddenItem>(THiddenItem{kind, path}));
    try {
        Save();
    } catch (...) {
        items_.pop_back();
        throw;
    }
}

void THiddenConfig::DeleteItem(int index) {
    CheckIndex(index);
    std::unique_ptr<THiddenItem> removed = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    try {
        Save();
    } catch (...) {
        items_.insert(items_.begin() + index, std::move(removed));
        throw;
    }
}

const THiddenItem* THiddenConfig::FindItem(const std::wstring& path) const {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const auto& item) { return item->FilePath == path; });
    return found == items_.end() ? nullptr : found->get();
}

const THiddenItem& THiddenConfig::Item(int index) const {
    CheckIndex(index);
    return *items_[static_cast<std::size_t>(index)];
}

void THiddenConfig::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) {
        throw Error(L"Hidden item index " + std::to_wstring(index) +
                    L" is out of range: the store holds " + std::to_wstring(Count()) + L" items");
    }
}

std::wstring THiddenConfig::GetFileName() const {
    const std::wstring name = dataFolder_ + kFileName;
    if (!GetAttributeData(name).has_value())
        TFileStream created(name, TFileMode::fmCreate);
    return name;
}

void THiddenConfig::Load() {
    const auto file = OpenIniFile(GetFileName());
    std::wstring password = file->ReadString(kPasswordSection, kPasswordSection, L"");
    const int count = LoadableCount(ReadInteger(*file, kCountSection, kCountSection),
                                    file->ReadSections().size());
    std::vector<std::unique_ptr<THiddenItem>> items;
    for (int i = 0; i < count; ++i) {
        const std::wstring section = ItemSection(i);
        auto item = std::make_unique<THiddenItem>();
        // Kept in one byte, as the file format has it: 258 reads as 2.
        item->ItemType = static_cast<THiddenItemType>(ReadInteger(*file, section, kItemTypeKey));
        item->FilePath = file->ReadString(section, kFilePathKey, L"");
        items.push_back(std::move(item));
    }
    Password = std::move(password);
    items_ = std::move(items);
}

void THiddenConfig::Save() {
    const auto file = OpenIniFile(GetFileName());
    file->WriteString(kPasswordSection, kPasswordSection, Password);
    file->WriteString(kCountSection, kCountSection, std::to_wstring(Count()));
    EraseItemSections(*file);
    for (int i = 0; i < Count(); ++i) {
        const THiddenItem& item = *items_[static_cast<std::size_t>(i)];
        file->WriteString(ItemSection(i), kItemTypeKey,
                          std::to_wstring(static_cast<int>(item.ItemType)));
        file->WriteString(ItemSection(i), kFilePathKey, item.FilePath);
    }
}

THiddenConfig& HiddenStore() {
    if (!Instance())
        throw Error(L"The hidden-items store has not been loaded");
    return *Instance();
}

bool HiddenStoreExists() noexcept {
    return Instance() != nullptr;
}

void CreateHiddenStore() {
    auto store = std::make_unique<THiddenConfig>();
    store->Load();
    Instance() = std::move(store);
}

void FreeHiddenStore() {
    const std::unique_ptr<THiddenConfig> store = std::move(Instance());
    if (store)
        store->Save();
}

}  // namespace dovrel
