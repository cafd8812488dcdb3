#include <gtest/gtest.h>

#include <cstdlib>

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "app/LangManager.h"
#include "app/Logger.h"
#include "app/StartUp.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/OperationList.h"
#include "hiding/HiddenConfig.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

TEST(StartUp, CreatesTheProcessWideObjectsAndShutDownReleasesThem) {
#ifndef _WIN32
    // Keep the test's data folder out of the real home.
    test::TempFolder temp;
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = before != nullptr ? before : "";
    setenv("XDG_CONFIG_HOME", ToUtf8(temp.Path(L"config")).c_str(), 1);
#endif
    PreselectedItems() = {L"left over"};
    StartUp({L"/encrypt"});
    EXPECT_EQ(GetDataFolder(), RoamingAppDataFolder() + kPathDelim + L"Dovrel" + kPathDelim);
    EXPECT_TRUE(GetAttributeData(GetDataFolder())->IsFolder());
    EXPECT_FALSE(LoggingEnabled());
    EXPECT_EQ(CipherCatalogue().size(), kCatalogueSize);
    EXPECT_EQ(ShredCatalogue().size(), kShredSchemeCount);
    EXPECT_FALSE(NormalPicture(4).empty());
    EXPECT_TRUE(PreselectedItems().empty());
    EXPECT_EQ(LookupMessage(L"Encrypt"), L"Encrypt");
    EXPECT_EQ(HiddenStore().Count(), 0);
    EXPECT_TRUE(GetAttributeData(GetDataFolder() + L"base.dat"))
        << "the store's file is made when missing";
#ifdef _WIN32
    EXPECT_EQ(
        CreateSystemRegistry()->ReadString(TRootKey::CurrentUser, kApplicationKey, L"AppPath"),
        GetAppFolder());
#endif
    ShutDown();
    EXPECT_TRUE(CipherCatalogue().empty());
    EXPECT_TRUE(ShredCatalogue().empty());
    EXPECT_FALSE(HiddenStoreExists());
#ifndef _WIN32
    if (before != nullptr) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
#endif
}

}  // namespace
}  // namespace dovrel
