#include "app/StartUp.h"

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "app/ContextMenuExtActivator.h"
#include "app/LangManager.h"
#include "app/Logger.h"
#include "app/OptionsUnit.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/OperationList.h"
#include "hiding/HiddenConfig.h"
#include "platform/File.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "shred/ShredAlgorithms.h"
#include "wizard/PathClasses.h"

namespace dovrel {

void StartUp(const std::vector<std::wstring>& arguments) {
    InitAppFolders(RoamingAppDataFolder() + kPathDelim + kApplicationName);
    InitLogger(L"-debug", arguments, GetDataFolder(), ModulePath());
    InstallExceptionLogger();
    CreateSystemRegistry()->WriteString(TRootKey::CurrentUser, kApplicationKey, L"AppPath",
                                        GetAppFolder());
    {
        TOptions options;
        LangManager().ScanLanguageFiles(GetAppFolder());
        LangManager().SelectLanguage(
            static_cast<std::uint16_t>(options.ReadInteger(L"LanguageID", 1033)));
    }
    CreatePathClasses();
    BuildOperationList();
    BuildOperationPictures(GetAppFolder());
    BuildShredCatalogue();
    BuildCipherCatalogue();
    PreselectedItems().clear();
    CreateHiddenStore();
    HandleActivationSwitches(arguments);
}

void ShutDown() {
    ReleasePathClasses();
    ReleaseOperationList();
    ReleaseOperationPictures();
    ReleaseShredCatalogue();
    ReleaseCipherCatalogue();
    PreselectedItems().clear();
    FreeHiddenStore();
}

}  // namespace dovrel
