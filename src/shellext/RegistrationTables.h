#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Registry.h"

// The registry entries that make the file manager load the context-menu extension: those
// the main program writes and removes with "/activate" and "/deactivate", and those the
// library writes and removes itself when a registration tool asks it to.
namespace dovrel::shellext {

struct TRegistryValue {
    TRootKey root;
    std::wstring key;
    std::wstring name;  // empty for the key's default value
    std::wstring data;  // every value is REG_SZ
};

struct TRegistryRemoval {
    enum class TKind { KeyTree, Value };
    TRootKey root;
    std::wstring parent;  // opened, and created when missing, before the removal
    std::wstring name;    // the sub-key or the value
    TKind kind;
};

// Writes in order; each key is created when missing. Raises "Failed to set data for '%s'"
// at the first value that cannot be written, leaving those before it in place.
void WriteValues(TRegistry& registry, const std::vector<TRegistryValue>& values);
// Removes in order; whatever is absent or cannot be removed is passed over.
void ApplyRemovals(TRegistry& registry, const std::vector<TRegistryRemoval>& removals);

// The main program's seven entries: the class's library (`libraryPath`, the long path as it
// is) under both class roots, the approval, and the handler on every file and folder.
std::vector<TRegistryValue> ActivationValues(const std::wstring& libraryPath);
// The five removals that undo them.
std::vector<TRegistryRemoval> DeactivationRemovals();

// The library's own entries: the class with `libraryPath` and the handler under its own
// class key; the approval only on the NT family, where the shell reads it.
std::vector<TRegistryValue> ServerValues(const std::wstring& libraryPath, bool ntFamily);
// The library path as the library registers it: its short form when the long one has a
// blank, since some hosts take the path up to the first blank.
std::wstring ServerLibraryPath(const std::wstring& longPath,
                               const std::function<std::wstring(const std::wstring&)>& shortForm);
// The keys under HKEY_CLASSES_ROOT that unregistration deletes one by one, children first;
// each is deleted only when nothing is left below it.
std::vector<std::wstring> ServerKeysToDelete();

}  // namespace dovrel::shellext
