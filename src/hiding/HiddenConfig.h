#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dovrel {

// Unscoped on purpose: "base.dat" may hold any byte here (a hand-edited 7), and every kind
// that is not a folder or a drive is treated as a file.
enum THiddenItemType : std::uint8_t { hitFile = 0, hitFolder = 1, hitDrive = 2 };

struct THiddenItem {
    THiddenItemType ItemType = hitFile;
    std::wstring FilePath;  // exactly as it was hidden: "E:\", "C:\Data\", "C:\a.txt"
};

// Every file, folder and drive the program has hidden, and the main password, mirrored in
// "base.dat" in the data folder. Each change of the items writes the file at once; the
// password reaches it with the next write. No lock: a hide run and a show never overlap
// (see HidingGuard.h).
class THiddenConfig {
public:
    // The store of the program's data folder.
    THiddenConfig();
    // A store kept in `dataFolder`, which ends with a separator.
    explicit THiddenConfig(std::wstring dataFolder);
    THiddenConfig(const THiddenConfig&) = delete;
    THiddenConfig& operator=(const THiddenConfig&) = delete;

    // Appends an item, then saves; when the save raises, the item is not added.
    void AddItem(THiddenItemType kind, const std::wstring& path);
    // Removes the item, then saves; an index outside the list or a failed save raises and
    // changes nothing.
    void DeleteItem(int index);
    // The first item whose path equals `path` exactly, letter case included.
    const THiddenItem* FindItem(const std::wstring& path) const;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    // Raises for an index outside the list.
    const THiddenItem& Item(int index) const;

    // The data folder followed by "base.dat", created empty when missing (raising the
    // system's reason when it cannot be).
    std::wstring GetFileName() const;
    // Replaces the items and the password with those of the file.
    void Load();
    // Writes the password, the count and the items numbered from 0, after erasing every
    // section whose name contains "Item"; raises "Unable to write to %s".
    void Save();

    // The main password in plain text; empty when none is set.
    std::wstring Password;

private:
    void CheckIndex(int index) const;

    std::wstring dataFolder_;
    // Owned one by one, so an item found stays where it is while others are added.
    std::vector<std::unique_ptr<THiddenItem>> items_;
};

// The process's store, made and loaded by start-up. Raises when there is none, which is a
// fault of the program.
THiddenConfig& HiddenStore();
bool HiddenStoreExists() noexcept;
// Start-up: a store on the data folder, loaded from "base.dat". A failed load leaves no
// store and raises.
void CreateHiddenStore();
// Shut-down: saves the store and frees it; the store is gone even when the save raises.
void FreeHiddenStore();

}  // namespace dovrel
