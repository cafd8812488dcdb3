// "base.dat" of any bytes loads without failing (hostile counts are cut, any kind byte is
// kept), and what a save writes loads back as the same store.
#include <cstdint>

#include "FuzzSupport.h"
#include "hiding/HiddenConfig.h"
#include "platform/PortableIniFile.h"

namespace {

using namespace dovrel;
using namespace dovrel::fuzz;

struct TSnapshot {
    std::wstring password;
    std::vector<std::pair<int, std::wstring>> items;
};

TSnapshot Take(const THiddenConfig& store) {
    TSnapshot snapshot{store.Password, {}};
    for (int i = 0; i < store.Count(); ++i)
        snapshot.items.emplace_back(store.Item(i).ItemType, store.Item(i).FilePath);
    return snapshot;
}

// The profile routines drop blanks around a value and the quotes around a quoted one, as
// Windows does; only other values can be expected to come back unchanged.
bool Survives(const std::wstring& value) {
    if (value.empty())
        return true;
    const auto edge = [](wchar_t c) { return c <= L' ' || c == L'"' || c == L'\''; };
    return !edge(value.front()) && !edge(value.back());
}

void CheckSameStore(const TSnapshot& saved, const TSnapshot& loaded) {
    if (saved.items.size() != loaded.items.size())
        Fail("a saved store loads with another count");
    if (Survives(saved.password) && saved.password != loaded.password)
        Fail("a saved password loads otherwise", saved.password);
    for (std::size_t i = 0; i < saved.items.size(); ++i) {
        if (saved.items[i].first != loaded.items[i].first)
            Fail("a saved item kind loads otherwise");
        if (Survives(saved.items[i].second) && saved.items[i].second != loaded.items[i].second)
            Fail("a saved item path loads otherwise", saved.items[i].second);
    }
}

// After a save every section named with "Item" is one of the store's, each once; others
// that differ only in letter case take the items' keys instead.
void CheckItemSections(const std::wstring& fileName, int count) {
    std::set<std::wstring> seen;
    for (const std::wstring& section : TPortableIniFile(fileName).ReadSections()) {
        if (section.find(L"Item") == std::wstring::npos)
            continue;
        bool known = false;
        for (int i = 0; i < count && !known; ++i)
            known = section == L"Item" + std::to_wstring(i);
        if (!known || !seen.insert(section).second)
            Fail("a save left a stale item section", section);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = FreshFolder("data");
    WriteFile(folder / "base.dat", Bytes(data, size));

    THiddenConfig store(AsFolder(folder));
    store.Load();
    const std::size_t sections = TPortableIniFile(store.GetFileName()).ReadSections().size();
    if (static_cast<std::size_t>(store.Count()) > sections + 1024)
        Fail("a hostile count was not cut");

    // A save is two rewrites of the whole file per item; past a few hundred items an input
    // only measures the disk.
    if (store.Count() > 200)
        return 0;
    const TSnapshot loaded = Take(store);
    store.Save();
    CheckItemSections(store.GetFileName(), store.Count());
    THiddenConfig again(AsFolder(folder));
    again.Load();
    CheckSameStore(loaded, Take(again));
    if (Listing(folder) != std::set<std::string>{"base.dat"})
        Fail("a save left another file in the data folder");
    return 0;
}
