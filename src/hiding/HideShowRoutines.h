#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hiding/HiddenConfig.h"
#include "hiding/HidingGuard.h"
#include "platform/Registry.h"

// Hiding gives a file or folder the system, hidden and read-only attributes, and a drive
// its bit in the file manager's drive-hiding policy; every hidden item is recorded in the
// store. Showing undoes that for one recorded item and drops its record.
namespace dovrel {

// Replace all attributes the item had; the old ones are not remembered.
inline constexpr std::uint32_t kHideAttributes = 0x07;  // system, hidden, read-only
inline constexpr std::uint32_t kShowAttributes = 0x80;  // normal

inline constexpr const wchar_t* kNoDrivesKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const wchar_t* kNoDrivesValue = L"NoDrives";

// What the routines change, so that tests can give them an in-memory registry and watch
// the attributes and the announcement.
struct THidingServices {
    THiddenConfig& store;
    TRegistry& registry;  // holds "NoDrives" under the current user
    // The system error code, 0 on success.
    std::function<unsigned(const std::wstring& path, std::uint32_t attributes)> setAttributes;
    // Tells the file manager to reread its policy; returns when every window took it.
    std::function<void()> announce;
};

// HiddenStore(), the system registry, the file system and the broadcast to every window.
THidingServices SystemHidingServices();

// A drive path is a letter from A to Z and a colon, optionally followed by "\".
bool IsDrivePath(const std::wstring& path);

// 2 to the power of the drive letter's place in the alphabet: C gives 4, E gives 16.
// Anything but a drive path stands for no drive and raises, so that no bit is changed for it.
std::uint32_t DriveBit(const std::wstring& drivePath);

// Set the attributes; a failure is only logged.
void CoreHide(const std::wstring& path, const THidingServices& services = SystemHidingServices());
void CoreUnhide(const std::wstring& path, const THidingServices& services = SystemHidingServices());

// Record the item even when its attributes could not be set.
void HideFile(const std::wstring& path, const THidingServices& services = SystemHidingServices());
void HideFolder(const std::wstring& path, const THidingServices& services = SystemHidingServices());
// Sets the drive's bit in "NoDrives" (creating the value and key when missing), announces
// it, then records the drive. When the registry refuses, nothing is recorded.
void HideDrive(const std::wstring& drivePath,
               const THidingServices& services = SystemHidingServices());

// Drop the record at `index` even when the attributes could not be set: that is how stale
// records leave the store.
void ShowFile(const std::wstring& path, int index,
              const THidingServices& services = SystemHidingServices());
void ShowFolder(const std::wstring& path, int index,
                const THidingServices& services = SystemHidingServices());
// Clears the drive's bit, announces it, then drops the record; when the registry refuses,
// the record stays.
void ShowDrive(const std::wstring& drivePath, int index,
               const THidingServices& services = SystemHidingServices());

// One item of a hide run, told apart by its text alone: fewer than two characters are
// nothing; "E:" and "E:\" are drive E, recorded as "E:\"; a path ending in "\" is a
// folder; anything else, a folder path without its separator included, is a file.
void ProcessHideItem(const THidingGuard& guard, const std::wstring& path,
                     const THidingServices& services = SystemHidingServices());
// Shows the store's item at `index`, whose path is `path`, by the kind it was recorded
// with (any kind but folder and drive counts as a file), and drops its record.
void ProcessShowItem(const THidingGuard& guard, const std::wstring& path, int index,
                     const THidingServices& services = SystemHidingServices());

}  // namespace dovrel
