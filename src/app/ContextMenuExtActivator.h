#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Registry.h"

// Registers and unregisters the context-menu extension for the file manager when the
// program is started with "/activate" or "/deactivate"; the program then ends at once.
namespace dovrel {

struct TActivationContext {
    TRegistry& registry;
    std::wstring libraryPath;  // the extension library beside the program
    std::function<void()> requestTerminate;
};

// The library beside the program; empty until HandleActivationSwitches ran.
const std::wstring& ShellExtensionLibraryPath();

// The last start-up step: sets the library path from the program folder, then acts on
// every "/activate" and "/deactivate" of `arguments` in order, on the system registry.
void HandleActivationSwitches(const std::vector<std::wstring>& arguments);
// The same on `context`; the switches are compared whole and in their letter case.
void HandleActivationSwitches(const std::vector<std::wstring>& arguments,
                              const TActivationContext& context);

// Writes the seven entries in order, then asks the program to end. A failed write raises
// "Failed to set data for '%s'" and leaves the entries before it; no end is asked then,
// the start-up error ends the program.
void ActivateShellExtension(const TActivationContext& context);
// Removes the entries, passing over what is absent, then asks the program to end.
void DeactivateShellExtension(const TActivationContext& context);

}  // namespace dovrel
