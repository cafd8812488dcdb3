#include "app/ContextMenuExtActivator.h"

#include "app/AppFolders.h"
#include "platform/TerminateRequest.h"
#include "shellext/ExtensionIdentity.h"
#include "shellext/RegistrationTables.h"

namespace dovrel {

namespace {

std::wstring libraryPath;

}  // namespace

const std::wstring& ShellExtensionLibraryPath() {
    return libraryPath;
}

void HandleActivationSwitches(const std::vector<std::wstring>& arguments) {
    libraryPath = GetAppFolder() + shellext::kLibraryFile;
    const auto registry = CreateSystemRegistry();
    HandleActivationSwitches(arguments, {*registry, libraryPath, &RequestTerminate});
}

void HandleActivationSwitches(const std::vector<std::wstring>& arguments,
                              const TActivationContext& context) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"/activate")
            ActivateShellExtension(context);
        else if (argument == L"/deactivate")
            DeactivateShellExtension(context);
    }
}

void ActivateShellExtension(const TActivationContext& context) {
    shellext::WriteValues(context.registry, shellext::ActivationValues(context.libraryPath));
    context.requestTerminate();
}

void DeactivateShellExtension(const TActivationContext& context) {
    shellext::ApplyRemovals(context.registry, shellext::DeactivationRemovals());
    context.requestTerminate();
}

}  // namespace dovrel
