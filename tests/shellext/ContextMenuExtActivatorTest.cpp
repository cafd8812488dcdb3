#include <gtest/gtest.h>

#include "app/ContextMenuExtActivator.h"
#include "platform/Error.h"
#include "shellext/RecordingRegistry.h"

namespace dovrel {
namespace {

using test::TRecordingRegistry;
using Write = TRecordingRegistry::Write;

const std::wstring kClsid = L"{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}";
const std::wstring kLibrary = L"C:\\Program Files\\Dovrel\\TOLV_CONTEXT_MENU.dll";
const std::wstring kApproved =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

// The seven entries as the file manager needs them, in the order they are written.
std::vector<Write> ExpectedActivation() {
    const std::wstring server = L"CLSID\\" + kClsid + L"\\InprocServer32";
    return {
        {TRootKey::ClassesRoot, server, L"", kLibrary},
        {TRootKey::ClassesRoot, server, L"ThreadingModel", L"Apartment"},
        {TRootKey::LocalMachine, L"SOFTWARE\\Classes\\" + server, L"", kLibrary},
        {TRootKey::LocalMachine, L"SOFTWARE\\Classes\\" + server, L"ThreadingModel", L"Apartment"},
        {TRootKey::LocalMachine, kApproved, kClsid, L"Tolvarin Context Menu Shell Extension"},
        {TRootKey::ClassesRoot, L"*\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU", L"", kClsid},
        {TRootKey::ClassesRoot, L"Folder\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU", L"",
         kClsid},
    };
}

class ContextMenuExtActivator : public testing::Test {
protected:
    TActivationContext Context() {
        return {registry, kLibrary, [this] { ++terminateRequests; }};
    }
    // How many of the seven entries the registry holds.
    int EntriesLeft() {
        int left = 0;
        for (const Write& entry : ExpectedActivation()) {
            if (registry.ReadString(entry.root, entry.key, entry.name) == entry.data)
                ++left;
        }
        return left;
    }

    TRecordingRegistry registry;
    int terminateRequests = 0;
};

TEST_F(ContextMenuExtActivator, ActivationWritesTheSevenEntriesInOrderThenAsksToEnd) {
    ActivateShellExtension(Context());
    EXPECT_EQ(registry.Writes(), ExpectedActivation());
    EXPECT_EQ(EntriesLeft(), 7);
    EXPECT_FALSE(registry.ReadString(TRootKey::ClassesRoot, L"CLSID\\" + kClsid, L""))
        << "no value on the class key itself";
    EXPECT_EQ(terminateRequests, 1);
}

TEST_F(ContextMenuExtActivator, AFailedWriteNamesItsValueKeepsTheEarlierOnesAndEndsNothing) {
    const struct {
        std::size_t failingWrite;
        const char* message;
    } cases[] = {{0, "Failed to set data for ''"},
                 {3, "Failed to set data for 'ThreadingModel'"},
                 {4, "Failed to set data for '{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}'"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failingWrite);
        TRecordingRegistry failing;
        failing.FailWrite(c.failingWrite);
        int requests = 0;
        try {
            ActivateShellExtension({failing, kLibrary, [&requests] { ++requests; }});
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        const auto expected = ExpectedActivation();
        EXPECT_EQ(failing.Writes(),
                  std::vector<Write>(expected.begin(), expected.begin() + c.failingWrite));
        EXPECT_EQ(requests, 0);
    }
}

TEST_F(ContextMenuExtActivator, DeactivationRemovesOnlyTheExtensionsEntries) {
    // Neighbours that belong to other programs.
    registry.WriteString(TRootKey::ClassesRoot, L"*\\shellex\\ContextMenuHandlers\\Other", L"",
                         L"{other}");
    registry.WriteString(TRootKey::LocalMachine, kApproved, L"{other}", L"Other extension");
    registry.WriteString(TRootKey::ClassesRoot, L"CLSID\\{other}\\InprocServer32", L"", L"o.dll");
    ActivateShellExtension(Context());
    DeactivateShellExtension(Context());
    EXPECT_EQ(EntriesLeft(), 0);
    EXPECT_FALSE(registry.KeyExists(TRootKey::ClassesRoot, L"CLSID\\" + kClsid));
    EXPECT_FALSE(
        registry.KeyExists(TRootKey::LocalMachine, L"SOFTWARE\\Classes\\CLSID\\" + kClsid));
    EXPECT_FALSE(registry.KeyExists(TRootKey::ClassesRoot,
                                    L"Folder\\shellex\\ContextMenuHandlers\\TOLV_CNTX_MENU"));
    EXPECT_EQ(
        registry.ReadString(TRootKey::ClassesRoot, L"*\\shellex\\ContextMenuHandlers\\Other", L""),
        L"{other}");
    EXPECT_EQ(registry.ReadString(TRootKey::LocalMachine, kApproved, L"{other}"),
              L"Other extension");
    EXPECT_TRUE(registry.KeyExists(TRootKey::ClassesRoot, L"CLSID\\{other}\\InprocServer32"));
    EXPECT_EQ(terminateRequests, 2);
}

TEST_F(ContextMenuExtActivator, DeactivationWithNothingRegisteredPassesOverTheAbsentEntries) {
    EXPECT_NO_THROW(DeactivateShellExtension(Context()));
    EXPECT_EQ(EntriesLeft(), 0);
    EXPECT_EQ(terminateRequests, 1);
}

TEST_F(ContextMenuExtActivator, SwitchesAreActedOnInOrderWholeAndInTheirLetterCase) {
    const struct {
        std::vector<std::wstring> arguments;
        int entriesLeft;
        int terminateRequests;
    } cases[] = {
        {{L"/activate"}, 7, 1},
        {{L"/activate", L"/activate"}, 7, 2},
        {{L"/activate", L"/deactivate"}, 0, 2},
        {{L"/deactivate", L"/activate"}, 7, 2},
        {{L"-debug", L"C:\\x.txt", L"/activate"}, 7, 1},
        {{L"/Activate", L"activate", L"/activate ", L"/encrypt", L"/show"}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        registry = TRecordingRegistry();
        terminateRequests = 0;
        HandleActivationSwitches(c.arguments, Context());
        EXPECT_EQ(EntriesLeft(), c.entriesLeft);
        EXPECT_EQ(terminateRequests, c.terminateRequests);
    }
}

TEST_F(ContextMenuExtActivator, ActivatingTwiceGivesTheSameEntries) {
    ActivateShellExtension(Context());
    const auto once = registry.Writes();
    ActivateShellExtension(Context());
    const auto& writes = registry.Writes();
    EXPECT_EQ(std::vector<Write>(writes.begin() + 7, writes.end()), once);
    EXPECT_EQ(EntriesLeft(), 7);
}

}  // namespace
}  // namespace dovrel
