#include "shellext/RegistrationTables.h"

#include "platform/Error.h"
#include "shellext/ExtensionIdentity.h"

namespace dovrel::shellext {

namespace {

// The main program writes the approval under the product's original name.
constexpr const wchar_t* kActivatorApproval = L"Tolvarin Context Menu Shell Extension";
constexpr const wchar_t* kApprovedKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

std::wstring ClassKey() {
    return std::wstring(L"CLSID\\") + kClassId;
}

std::wstring MachineClassKey() {
    return L"SOFTWARE\\Classes\\" + ClassKey();
}

std::wstring HandlerKey(const std::wstring& shellClass) {
    return shellClass + L"\\shellex\\ContextMenuHandlers\\" + kHandlerKeyName;
}

std::wstring OwnHandlerKey() {
    return std::wstring(kHandlerKeyName) + L"\\shellex";
}

}  // namespace

void WriteValues(TRegistry& registry, const std::vector<TRegistryValue>& values) {
    for (const TRegistryValue& value : values)
        registry.WriteString(value.root, value.key, value.name, value.data);
}

void ApplyRemovals(TRegistry& registry, const std::vector<TRegistryRemoval>& removals) {
    for (const TRegistryRemoval& removal : removals) {
        try {
            registry.CreateKey(removal.root, removal.parent);
        } catch (const Error&) {
            // The removal below is still tried; what cannot go stays.
        }
        if (removal.kind == TRegistryRemoval::TKind::KeyTree)
            registry.DeleteKeyTree(removal.root, removal.parent + L"\\" + removal.name);
        else
            registry.DeleteValue(removal.root, removal.parent, removal.name);
    }
}

std::vector<TRegistryValue> ActivationValues(const std::wstring& libraryPath) {
    const std::wstring server = ClassKey() + L"\\InprocServer32";
    const std::wstring machineServer = MachineClassKey() + L"\\InprocServer32";
    return {
        {TRootKey::ClassesRoot, server, L"", libraryPath},
        {TRootKey::ClassesRoot, server, L"ThreadingModel", kThreadingModel},
        {TRootKey::LocalMachine, machineServer, L"", libraryPath},
        {TRootKey::LocalMachine, machineServer, L"ThreadingModel", kThreadingModel},
        {TRootKey::LocalMachine, kApprovedKey, kClassId, kActivatorApproval},
        {TRootKey::ClassesRoot, HandlerKey(L"*"), L"", kClassId},
        {TRootKey::ClassesRoot, HandlerKey(L"Folder"), L"", kClassId},
    };
}

std::vector<TRegistryRemoval> DeactivationRemovals() {
    using TKind = TRegistryRemoval::TKind;
    return {
        {TRootKey::ClassesRoot, L"CLSID", kClassId, TKind::KeyTree},
        {TRootKey::LocalMachine, L"SOFTWARE\\Classes\\CLSID", kClassId, TKind::KeyTree},
        {TRootKey::LocalMachine, kApprovedKey, kClassId, TKind::Value},
        {TRootKey::ClassesRoot, L"*\\shellex\\ContextMenuHandlers", kHandlerKeyName,
         TKind::KeyTree},
        {TRootKey::ClassesRoot, L"Folder\\shellex\\ContextMenuHandlers", kHandlerKeyName,
         TKind::KeyTree},
    };
}

std::vector<TRegistryValue> ServerValues(const std::wstring& libraryPath, bool ntFamily) {
    const std::wstring server = ClassKey() + L"\\InprocServer32";
    const std::wstring handlers = OwnHandlerKey() + L"\\ContextMenuHandlers";
    std::vector<TRegistryValue> values = {
        {TRootKey::ClassesRoot, ClassKey(), L"", kClassDescription},
        {TRootKey::ClassesRoot, server, L"", libraryPath},
        {TRootKey::ClassesRoot, server, L"ThreadingModel", kThreadingModel},
        {TRootKey::ClassesRoot, OwnHandlerKey(), L"", L""},
        {TRootKey::ClassesRoot, handlers, L"", L""},
        {TRootKey::ClassesRoot, handlers + L"\\ContMenu", L"", kClassId},
    };
    if (ntFamily)
        values.push_back({TRootKey::LocalMachine, kApprovedKey, kClassId, kClassDescription});
    return values;
}

std::wstring ServerLibraryPath(const std::wstring& longPath,
                               const std::function<std::wstring(const std::wstring&)>& shortForm) {
    if (longPath.find(L' ') == std::wstring::npos)
        return longPath;
    // Without a short form (none made on this volume) the long path is still the right one.
    const std::wstring shortPath = shortForm(longPath);
    return shortPath.empty() ? longPath : shortPath;
}

std::vector<std::wstring> ServerKeysToDelete() {
    const std::wstring handlers = OwnHandlerKey() + L"\\ContextMenuHandlers";
    return {handlers + L"\\ContMenu", handlers, OwnHandlerKey(), ClassKey() + L"\\InprocServer32",
            ClassKey()};
}

}  // namespace dovrel::shellext
