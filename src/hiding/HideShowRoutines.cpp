#include "hiding/HideShowRoutines.h"

#include <memory>

#include "app/Logger.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace dovrel {

namespace {

TRegistry& SystemRegistry() {
    static const std::unique_ptr<TRegistry> registry = CreateSystemRegistry();
    return *registry;
}

void SetAttributesLogged(const std::wstring& path, std::uint32_t attributes,
                         const std::wstring& source, const THidingServices& services) {
    if (const unsigned code = services.setAttributes(path, attributes); code != 0)
        LogMessage(L"SetFileAttributes failed " + FormatErrorCode(code), source);
}

// "NoDrives"; missing or of another type counts as 0.
std::uint32_t ReadNoDrives(const THidingServices& services) {
    return services.registry.ReadDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue)
        .value_or(0);
}

// Reads "NoDrives", changes it, writes it back as a DWORD and lets the file manager know.
template <typename Change>
void UpdateNoDrives(const THidingServices& services, Change change) {
    services.registry.WriteDword(TRootKey::CurrentUser, kNoDrivesKey, kNoDrivesValue,
                                 change(ReadNoDrives(services)));
    services.announce();
}

// Records a hidden item; when the store cannot be saved, `undo` takes the hiding back, so
// nothing stays hidden without a record to show it by.
template <typename Undo>
void RecordOrUndo(const THidingServices& services, THiddenItemType kind, const std::wstring& path,
                  Undo undo) {
    try {
        services.store.AddItem(kind, path);
    } catch (...) {
        undo();
        throw;
    }
}

void RequireGuard(const THidingGuard& guard) {
    if (!guard.Holds())
        throw Error(L"Hidden items are changed without holding the hiding guard");
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

THidingServices SystemHidingServices() {
    return {HiddenStore(), SystemRegistry(), &SetFileAttributesAt, &BroadcastSettingChange};
}

bool IsDrivePath(const std::wstring& path) {
    const bool letter = !path.empty() && path[0] >= L'A' && path[0] <= L'Z';
    return letter && path.size() >= 2 && path[1] == L':' &&
           (path.size() == 2 || (path.size() == 3 && path[2] == L'\\'));
}

std::uint32_t DriveBit(const std::wstring& drivePath) {
    if (!IsDrivePath(drivePath)) {
        throw Error(L"\"" + drivePath +
                    L"\" is not a drive: a drive is a letter from A to Z followed by \":\"");
    }
    return std::uint32_t{1} << (drivePath[0] - L'A');
}

void CoreHide(const std::wstring& path, const THidingServices& services) {
    SetAttributesLogged(path, kHideAttributes, L"CoreHide", services);
}

void CoreUnhide(const std::wstring& path, const THidingServices& services) {
    SetAttributesLogged(path, kShowAttributes, L"CoreUnhide", services);
}

void HideFile(const std::wstring& path, const THidingServices& services) {
    CoreHide(path, services);
    RecordOrUndo(services, hitFile, path, [&] { CoreUnhide(path, services); });
}

void HideFolder(const std::wstring& path, const THidingServices& services) {
    CoreHide(path, services);
    RecordOrUndo(services, hitFolder, path, [&] { CoreUnhide(path, services); });
}

void HideDrive(const std::wstring& drivePath, const THidingServices& services) {
    const std::uint32_t bit = DriveBit(drivePath);
    const std::uint32_t old = ReadNoDrives(services);
    UpdateNoDrives(services, [bit](std::uint32_t value) { return value | bit; });
    RecordOrUndo(services, hitDrive, drivePath,
                 [&] { UpdateNoDrives(services, [old](std::uint32_t) { return old; }); });
}

void ShowFile(const std::wstring& path, int index, const THidingServices& services) {
    CoreUnhide(path, services);
    services.store.DeleteItem(index);
}

void ShowFolder(const std::wstring& path, int index, const THidingServices& services) {
    ShowFile(path, index, services);
}

void ShowDrive(const std::wstring& drivePath, int index, const THidingServices& services) {
    const std::uint32_t bit = DriveBit(drivePath);
    UpdateNoDrives(services, [bit](std::uint32_t value) { return value & ~bit; });
    services.store.DeleteItem(index);
}

void ProcessHideItem(const THidingGuard& guard, const std::wstring& path,
                     const THidingServices& services) {
    RequireGuard(guard);
    if (path.size() < 2)
        return;
    if (path.back() == L':') {
        HideDrive(path + L'\\', services);
    } else if (EndsWith(path, L":\\")) {
        HideDrive(path, services);
    } else if (path.back() == L'\\') {
        HideFolder(path, services);
    } else {
        HideFile(path, services);
    }
}

void ProcessShowItem(const THidingGuard& guard, const std::wstring& path, int index,
                     const THidingServices& services) {
    RequireGuard(guard);
    const THiddenItem& item = services.store.Item(index);
    // A wrong index would show one item and drop the record of another, which would then
    // stay hidden with nothing left to show it by.
    if (item.FilePath != path) {
        throw Error(L"Hidden item " + std::to_wstring(index) + L" is \"" + item.FilePath +
                    L"\", not \"" + path + L"\"");
    }
    switch (item.ItemType) {
        case hitFolder:
            ShowFolder(path, index, services);
            break;
        case hitDrive:
            ShowDrive(path, index, services);
            break;
        default:
            ShowFile(path, index, services);
            break;
    }
}

}  // namespace dovrel
