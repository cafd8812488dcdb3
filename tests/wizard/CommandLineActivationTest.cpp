#include <gtest/gtest.h>

#include "app/CmdLineActivate.h"
#include "engine/FilesIterationThread.h"
#include "hiding/HiddenConfig.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "wizard/OperationPathes.h"
#include "wizard/WizardFixture.h"

namespace dovrel::test {
namespace {

class CommandLineActivation : public WizardFixture {
protected:
    CommandLineActivation() {
        WriteFile(OnC(L"a.txt"), "alpha");
        WriteFile(OnC(L"b.txt"), "beta");
    }

    // The list file as the context menu writes it: ANSI, CR LF after every line.
    void WriteList(const std::vector<std::wstring>& paths) {
        std::string bytes;
        for (const std::wstring& path : paths)
            bytes += ToAnsi(path) + "\r\n";
        WriteFile(GetDataFolder() + L"todo", bytes);
    }
    void Activate(const std::vector<std::wstring>& arguments) {
        AsUser([&] { ActivateFromCommandLine(*wizard, arguments); });
    }
};

TEST_F(CommandLineActivation, FindPathClassWantsTheWholeSwitchInItsCase) {
    const auto& classes = PathClasses();
    ASSERT_EQ(classes.size(), 4u);
    const wchar_t* switches[] = {L"/encrypt", L"/decrypt", L"/shred", L"/hide"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(classes[i]->GetCmdLineParameter(), switches[i]);
        EXPECT_EQ(FindPathClass(switches[i]), classes[i]);
    }
    for (const wchar_t* text : {L"/Encrypt", L"/SHRED", L"/encrypt ", L"encrypt", L"/hid", L"",
                                L"/show", L"-debug", L"/activate"}) {
        EXPECT_EQ(FindPathClass(text), nullptr) << ToUtf8(text);
    }
    EXPECT_EQ(PathClassOf<TShowPath>().GetCmdLineParameter(), L"/show");
    ReleasePathClasses();
    EXPECT_EQ(FindPathClass(L"/encrypt"), nullptr);
}

TEST_F(CommandLineActivation, EachSwitchOpensItsPathOnTheSettingsPageWithTheListedItems) {
    struct TCase {
        const wchar_t* argument;
        TWizardPage page;
        const wchar_t* nextCaption;
        bool backVisible;
    };
    const TCase cases[] = {
        {L"/encrypt", TWizardPage::EncryptSettings, L"Encrypt", false},
        {L"/decrypt", TWizardPage::DecryptSettings, L"Decrypt", true},
        {L"/shred", TWizardPage::ShredSettings, L"Shred", true},
    };
    WriteList({OnC(L"a.txt"), OnC(L"b.txt")});
    for (const TCase& c : cases) {
        SCOPED_TRACE(ToUtf8(c.argument));
        Activate({L"-debug", c.argument});
        ASSERT_NE(CurrentPath(), nullptr);
        EXPECT_EQ(CurrentPath()->CurrentStep(), 1);
        EXPECT_EQ(window.page, c.page);
        EXPECT_EQ(window.caption[TWizardButton::Next], c.nextCaption);
        EXPECT_EQ(window.visible[TWizardButton::Back], c.backVisible);
        EXPECT_EQ(PreselectedItems(), (std::vector<std::wstring>{OnC(L"a.txt"), OnC(L"b.txt")}));
        EXPECT_TRUE(wizard->StartedFromCommandLine());
        EXPECT_TRUE(StartedFromCommandLine());
        Click(&TWizard::ExitButtonClick);
        EXPECT_TRUE(PreselectedItems().empty())
            << "a path that ends without a run drops the items handed to it";
    }
    EXPECT_EQ(window.progressShown, 0);
}

TEST_F(CommandLineActivation, BackFromTheFirstStepDropsTheItemsToo) {
    WriteList({OnC(L"a.txt")});
    Activate({L"/shred"});
    Click(&TWizard::BackButtonClick);
    EXPECT_EQ(window.page, TWizardPage::ChooseFiles);
    EXPECT_EQ(PreselectedItems().size(), 1u) << "still on the path";
    // The items still count as a selection when Next comes again.
    Click(&TWizard::NextButtonClick);
    EXPECT_EQ(window.page, TWizardPage::ShredSettings);
    Click(&TWizard::BackButtonClick);
    Click(&TWizard::BackButtonClick);
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_TRUE(PreselectedItems().empty());
}

TEST_F(CommandLineActivation, ItemsOfAPathLeftDuringItsRunGoOnceTheRunEnded) {
    WriteList({OnC(L"a.txt")});
    Activate({L"/shred"});
    AsUser([&] {
        wizard->NextButtonClick();
        wizard->ExitButtonClick();
        EXPECT_EQ(PreselectedItems().size(), 1u) << "the run may still be reading them";
    });
    WaitForRunEnd();
    EXPECT_FALSE(Exists(OnC(L"a.txt")));
    OpenRow(0);
    EXPECT_TRUE(PreselectedItems().empty());
}

TEST_F(CommandLineActivation, EncryptTwiceReadsTheListTwice) {
    WriteList({OnC(L"a.txt"), OnC(L"b.txt")});
    Activate({L"/encrypt", L"/encrypt"});
    EXPECT_EQ(PreselectedItems(), (std::vector<std::wstring>{OnC(L"a.txt"), OnC(L"b.txt"),
                                                             OnC(L"a.txt"), OnC(L"b.txt")}));
    EXPECT_EQ(window.page, TWizardPage::EncryptSettings);
    EXPECT_FALSE(window.visible[TWizardButton::Back]);
}

TEST_F(CommandLineActivation, OtherArgumentsAreIgnored) {
    WriteList({OnC(L"a.txt")});
    Activate({L"/show", L"/SHRED", L"/Encrypt", L"-debug", OnC(L"a.txt")});
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_EQ(window.page, TWizardPage::Main);
    EXPECT_FALSE(window.visible[TWizardButton::Next]);
    EXPECT_FALSE(wizard->StartedFromCommandLine());
    EXPECT_TRUE(PreselectedItems().empty());
}

TEST_F(CommandLineActivation, AMissingListFileStopsTheWalkAndLeavesThePathOpen) {
    try {
        Activate({L"/decrypt", L"/shred"});
        FAIL() << "the list file's open error reaches the window";
    } catch (const Error& e) {
        EXPECT_NE(e.Message().find(GetDataFolder() + L"todo"), std::wstring::npos);
    }
    EXPECT_EQ(window.page, TWizardPage::DecryptSettings) << "the walk stopped at /decrypt";
    EXPECT_NE(CurrentPath(), nullptr);
    EXPECT_TRUE(PreselectedItems().empty());
    EXPECT_FALSE(wizard->StartedFromCommandLine());

    entryDialog.answers.push_back({TModalResult::mrOk, L"main"});
    EXPECT_THROW(Activate({L"/hide"}), Error);
    EXPECT_EQ(window.page, TWizardPage::ChooseFiles);
    EXPECT_EQ(window.caption[TWizardButton::Next], L"Hide");
    EXPECT_EQ(window.progressShown, 0) << "no run starts";
    EXPECT_FALSE(wizard->StartedFromCommandLine());
}

TEST_F(CommandLineActivation, HideAsksForThePasswordThenHidesTheListAndEndsTheProgram) {
    WriteList({OnC(L"a.txt"), OnC(L"b.txt")});
    entryDialog.answers.push_back({TModalResult::mrCancel, L""});
    Activate({L"/hide"});
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_EQ(window.page, TWizardPage::Main);
    EXPECT_FALSE(wizard->StartedFromCommandLine()) << "a refused hide opened nothing";
    EXPECT_TRUE(PreselectedItems().empty());

    entryDialog.answers.push_back({TModalResult::mrOk, L"main"});
    Activate({L"/hide"});
    EXPECT_EQ(window.progressShown, 1) << "the run starts at once";
    WaitForRunEnd();
    ASSERT_EQ(HiddenStore().Count(), 2);
    EXPECT_EQ(HiddenStore().Item(0).FilePath, OnC(L"a.txt"));
    EXPECT_EQ(HiddenStore().Item(1).FilePath, OnC(L"b.txt"));
    EXPECT_EQ(window.terminated, 1);
    EXPECT_NE(window.page, TWizardPage::Finish);
    EXPECT_EQ(CurrentPath(), nullptr);
}

TEST_F(CommandLineActivation, TheFirstCompletedRunEndsTheProgramButACancelledOneDoesNot) {
    WriteList({OnC(L"a.txt")});
    Activate({L"/encrypt"});
    window.passwords[TCryptPage::Encrypt] = L"secret";
    window.deleteSource[TCryptPage::Encrypt] = false;
    Click(&TWizard::NextButtonClick);
    WaitForRunEnd();
    EXPECT_TRUE(Exists(OnC(L"a.txt.enc")));
    EXPECT_EQ(window.terminated, 1);
    EXPECT_NE(window.page, TWizardPage::Finish);

    // A decrypt run whose password prompt cancels it leaves the program open.
    WriteList({OnC(L"a.txt.enc")});
    PreselectedItems().clear();
    Activate({L"/decrypt"});
    window.passwords[TCryptPage::Decrypt] = L"wrong";
    Click(&TWizard::NextButtonClick);
    WaitForRunEnd();
    EXPECT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(window.terminated, 1);
    EXPECT_EQ(window.page, TWizardPage::DecryptSettings);
}

TEST_F(CommandLineActivation, FormActivateActsOnTheArgumentsAfterThePasswordSetUp) {
    WriteList({OnC(L"a.txt")});
    AsUser([&] { wizard->FormActivate({L"/shred"}); });
    EXPECT_EQ(newPassDialog.shown, 1) << "no main password was set";
    EXPECT_EQ(window.page, TWizardPage::ShredSettings);
    AsUser([&] { wizard->FormActivate({L"/encrypt"}); });
    EXPECT_EQ(window.page, TWizardPage::ShredSettings) << "only the first activation acts";
}

}  // namespace
}  // namespace dovrel::test
