#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "engine/FilesIterationThread.h"
#include "engine/Operations.h"
#include "hiding/HiddenConfig.h"
#include "platform/File.h"
#include "wizard/WizardFixture.h"

namespace dovrel::test {
namespace {

struct TStepState {
    TWizardPage page;
    const wchar_t* nextCaption;
    const wchar_t* stepText;
};

void ExpectStep(const TFakeMainWindow& window, const TStepState& step) {
    EXPECT_EQ(window.page, step.page);
    EXPECT_EQ(window.caption.at(TWizardButton::Next), step.nextCaption);
    EXPECT_EQ(window.stepText, step.stepText);
    EXPECT_TRUE(window.visible.at(TWizardButton::Next));
    EXPECT_TRUE(window.visible.at(TWizardButton::Back));
    EXPECT_EQ(window.caption.at(TWizardButton::Exit), L"&Cancel");
}

// No path: the main page, Next and Back hidden, Exit ends the program.
void ExpectMainPage(const TFakeMainWindow& window) {
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_EQ(window.page, TWizardPage::Main);
    EXPECT_FALSE(window.visible.at(TWizardButton::Next));
    EXPECT_FALSE(window.visible.at(TWizardButton::Back));
    EXPECT_EQ(window.caption.at(TWizardButton::Next), L"Next");
    EXPECT_EQ(window.caption.at(TWizardButton::Exit), L"Exit");
    EXPECT_EQ(window.stepText, L"");
    EXPECT_FALSE(window.changePassLinkVisible);
}

class WizardPaths : public WizardFixture {
protected:
    WizardPaths() {
        WriteFile(OnC(L"a.txt"), "alpha");
        WriteFile(OnC(L"a.enc"), "not really encrypted");
    }

    // The main password is asked for, and given, before the hide and show paths open.
    void GivePassword() { entryDialog.answers.push_back({TModalResult::mrOk, L"main"}); }
};

TEST_F(WizardPaths, EveryStepShowsItsPageNextCaptionAndStepText) {
    struct TCase {
        int row;
        const wchar_t* item;  // what is checked on the selection page
        TStepState first;
        std::optional<TStepState> second;
        TPathPicture picture;
    };
    const TCase cases[] = {
        {0,
         L"a.txt",
         {TWizardPage::ChooseFiles, L"Next", L"Encrypting files - Step 1 of 2"},
         TStepState{TWizardPage::EncryptSettings, L"Encrypt", L"Encrypting files - Step 2 of 2"},
         TPathPicture::Encrypt},
        {1,
         L"a.enc",
         {TWizardPage::ChooseFiles, L"Next", L"Decrypting files - Step 1 of 2"},
         TStepState{TWizardPage::DecryptSettings, L"Decrypt", L"Decrypting files - Step 2 of 2"},
         TPathPicture::Decrypt},
        {2,
         L"a.txt",
         {TWizardPage::ChooseFiles, L"Next", L"Shredding files - Step 1 of 2"},
         TStepState{TWizardPage::ShredSettings, L"Shred", L"Shredding files - Step 2 of 2"},
         TPathPicture::Shred},
        {3,
         nullptr,
         {TWizardPage::ChooseFiles, L"Hide", L"Hiding files - Step 1 of 1"},
         std::nullopt,
         TPathPicture::Hide},
        {4,
         nullptr,
         {TWizardPage::ShowList, L"Show", L"Showing files - Step 1 of 1"},
         std::nullopt,
         TPathPicture::Show},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.row);
        if (c.row >= 3)
            GivePassword();
        OpenRow(c.row);
        ASSERT_NE(CurrentPath(), nullptr);
        ExpectStep(window, c.first);
        EXPECT_EQ(window.picture, c.picture);
        EXPECT_EQ(window.changePassLinkVisible, c.row == 3);
        if (c.second) {
            Check({c.item});
            Click(&TWizard::NextButtonClick);
            ExpectStep(window, *c.second);
            EXPECT_EQ(CurrentPath()->CurrentStep(), 1);
            Click(&TWizard::BackButtonClick);
            ExpectStep(window, c.first);
            EXPECT_EQ(Node({c.item}).State(), TCheckState::Checked)
                << "going back keeps the tree as it was";
        }
        // Back on the first step ends the path.
        Click(&TWizard::BackButtonClick);
        ExpectMainPage(window);
    }
    EXPECT_EQ(window.progressShown, 0);
}

TEST_F(WizardPaths, TheSelectionPagesListTheirTexts) {
    OpenRow(2);
    EXPECT_EQ(window.labels[TWizardLabel::ChooseFilesHeader], L"Choose files or folders to shred:");
    EXPECT_EQ(window.labels[TWizardLabel::ChooseFilesDesc],
              L"Choose files or folders you want to shred. Shredded files and folders can''t be "
              L"restored!");
    Click(&TWizard::ExitButtonClick);
    GivePassword();
    OpenRow(3);
    EXPECT_EQ(window.labels[TWizardLabel::ChooseFilesHeader],
              L"Choose files, folders or drives to hide:");
}

TEST_F(WizardPaths, ExitCancelsTheOpenPathAndEndsTheProgramOnTheMainPage) {
    OpenRow(1);
    Click(&TWizard::ExitButtonClick);
    ExpectMainPage(window);
    EXPECT_EQ(window.terminated, 0);
    Click(&TWizard::ExitButtonClick);
    EXPECT_EQ(window.terminated, 1);
}

TEST_F(WizardPaths, HideAndShowStayClosedWhenThePasswordPromptIsCancelled) {
    HiddenStore().Password = L"main";
    for (int row : {3, 4}) {
        SCOPED_TRACE(row);
        entryDialog.answers = {{TModalResult::mrOk, L"MAIN"},
                               {TModalResult::mrOk, L"wrong"},
                               {TModalResult::mrCancel, L""}};
        OpenRow(row);
        EXPECT_EQ(CurrentPath(), nullptr);
        EXPECT_EQ(window.page, TWizardPage::Main);
        EXPECT_FALSE(window.visible.at(TWizardButton::Next));
        EXPECT_FALSE(window.picture.has_value()) << "nothing on the window changed";
    }
    EXPECT_EQ(messages.shown.size(), 4u) << "a wrong-password message per wrong answer";
    EXPECT_EQ(entryDialog.shown, 6);
}

TEST_F(WizardPaths, NextOnTheSelectionPageNeedsACheckedItem) {
    OpenRow(0);
    Click(&TWizard::NextButtonClick);
    Check({L"a.txt"});
    Check({L"a.txt"});
    Click(&TWizard::NextButtonClick);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].first, TMessageKind::Information);
    EXPECT_EQ(window.messages[1].second, L"Please select some files");
    EXPECT_EQ(window.page, TWizardPage::ChooseFiles);
    EXPECT_EQ(CurrentPath()->CurrentStep(), 0);
}

TEST_F(WizardPaths, EncryptTicksDeleteSourceEachTimeAndWantsAPassword) {
    OpenRow(0);
    Check({L"a.txt"});
    window.deleteSource[TCryptPage::Encrypt] = false;
    Click(&TWizard::NextButtonClick);
    EXPECT_TRUE(window.deleteSource[TCryptPage::Encrypt]);
    window.deleteSource[TCryptPage::Encrypt] = false;
    Click(&TWizard::BackButtonClick);
    Click(&TWizard::NextButtonClick);
    EXPECT_TRUE(window.deleteSource[TCryptPage::Encrypt]);

    Click(&TWizard::NextButtonClick);  // no password typed
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].second, L"Enter password before perfom this operation please.");
    EXPECT_EQ(window.focusedEdit, TCryptPage::Encrypt);
    EXPECT_EQ(window.page, TWizardPage::EncryptSettings);
    EXPECT_EQ(window.progressShown, 0);
}

TEST_F(WizardPaths, ACompletedRunEndsThePathOnTheFinishPage) {
    OpenRow(0);
    Check({L"a.txt"});
    window.cipherIndex = 3;
    RunFromSelection(TCryptPage::Encrypt, L"secret");
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_EQ(window.page, TWizardPage::Finish);
    EXPECT_EQ(window.labels[TWizardLabel::FinishInfo], L"Encryption completed");
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"1 file was encrypted");
    EXPECT_FALSE(window.visible.at(TWizardButton::Exit));
    EXPECT_EQ(window.windowFocused, 1);
    EXPECT_EQ(window.progressShown, 1);
    EXPECT_EQ(window.progressClosed, 1);
    EXPECT_TRUE(window.enabled.at(TWizardButton::Next));
    EXPECT_FALSE(Exists(OnC(L"a.txt"))) << "the source goes: the box was ticked";
    ASSERT_TRUE(Exists(OnC(L"a.txt.enc")));
    EXPECT_EQ(TDecrypt::DetectAlgorithm(OnC(L"a.txt.enc")), CipherCatalogue()[3].get());

    Click(&TWizard::FinishButtonClick);
    EXPECT_EQ(window.page, TWizardPage::Main);
    EXPECT_TRUE(window.visible.at(TWizardButton::Exit));
    EXPECT_EQ(window.terminated, 0);
}

TEST_F(WizardPaths, NextStaysDisabledWhileARunExists) {
    OpenRow(2);
    Check({L"a.txt"});
    Click(&TWizard::NextButtonClick);
    AsUser([&] {
        // The window's thread is busy, so the run cannot finish before this ends.
        wizard->NextButtonClick();
        EXPECT_TRUE(RunningThread() != nullptr);
        EXPECT_FALSE(window.enabled.at(TWizardButton::Next));
        wizard->BackButtonClick();
        wizard->NextButtonClick();
        wizard->NextButtonClick();
        EXPECT_EQ(window.page, TWizardPage::ChooseFiles) << "Next does nothing during the run";
        EXPECT_FALSE(window.enabled.at(TWizardButton::Next));
    });
    WaitForRunEnd();
    EXPECT_EQ(window.progressShown, 1) << "one run only";
    EXPECT_TRUE(window.enabled.at(TWizardButton::Next));
    EXPECT_FALSE(Exists(OnC(L"a.txt")));
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"1 file was shredded");
}

TEST_F(WizardPaths, NoPathOpensWhileARunWorksAndItsFinishStillShows) {
    OpenRow(2);
    Check({L"a.txt"});
    Click(&TWizard::NextButtonClick);
    AsUser([&] {
        wizard->NextButtonClick();
        wizard->ExitButtonClick();
        ExpectMainPage(window);
        EXPECT_FALSE(wizard->OpenPathOfRow(0));
        EXPECT_EQ(CurrentPath(), nullptr);
    });
    WaitForRunEnd();
    EXPECT_EQ(window.page, TWizardPage::Finish);
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"1 file was shredded");
    Click(&TWizard::FinishButtonClick);
    OpenRow(0);
    EXPECT_NE(CurrentPath(), nullptr);
}

TEST_F(WizardPaths, DecryptListsOnlyEncFilesUntilItsRunStarts) {
    WriteFile(OnC(L"x.enc"), "not really");
    WriteFile(OnC(L"y.ENC"), "not really");
    const auto names = [&] {
        std::vector<std::wstring> seen;
        TTreeNode& c = Node({});
        AsUser([&] { tree->FilesTreeViewExpanding(c); });
        for (std::size_t i = 0; i < c.ChildCount(); ++i)
            seen.push_back(c.Child(i).Text());
        std::sort(seen.begin(), seen.end());
        return seen;
    };
    OpenRow(1);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"a.enc", L"x.enc"}));
    Click(&TWizard::ExitButtonClick);
    OpenRow(0);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"a.enc", L"a.txt", L"x.enc", L"y.ENC"}));
    Click(&TWizard::ExitButtonClick);

    OpenRow(1);
    Check({L"x.enc"});
    Click(&TWizard::NextButtonClick);
    Click(&TWizard::NextButtonClick);
    EXPECT_FALSE(tree->EncOnlyFilter()) << "the decryption run has started";
    WaitForRunEnd();
    ASSERT_EQ(ui.messages.size(), 1u) << "x.enc names no cipher";
}

TEST_F(WizardPaths, ACancelledRunKeepsThePathAndNextRunsAgain) {
    OpenRow(0);
    Check({L"a.txt"});
    Click(&TWizard::NextButtonClick);
    window.deleteSource[TCryptPage::Encrypt] = false;
    window.passwords[TCryptPage::Encrypt] = L"right";
    Click(&TWizard::NextButtonClick);
    WaitForRunEnd();
    Click(&TWizard::FinishButtonClick);

    OpenRow(1);
    Check({L"a.txt.enc"});
    window.deleteSource[TCryptPage::Decrypt] = true;
    const TOperationPath* path = CurrentPath();
    RunFromSelection(TCryptPage::Decrypt, L"wrong");  // the prompt cancels the run
    EXPECT_EQ(ui.prompts, std::vector<std::wstring>{L"a.txt.enc"});
    EXPECT_EQ(CurrentPath(), path);
    EXPECT_EQ(window.page, TWizardPage::DecryptSettings);
    EXPECT_EQ(window.progressClosed, 2);
    EXPECT_TRUE(window.enabled.at(TWizardButton::Next));
    EXPECT_TRUE(Exists(OnC(L"a.txt.enc")));

    ui.passwords = {L"right"};
    Click(&TWizard::NextButtonClick);
    WaitForRunEnd();
    EXPECT_EQ(window.page, TWizardPage::Finish);
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"1 file was decrypted");
    EXPECT_FALSE(Exists(OnC(L"a.txt.enc")));
}

TEST_F(WizardPaths, AFailedRunIsReportedAndKeepsThePage) {
    const std::wstring missing = OnC(L"missing.txt");
    PreselectedItems() = {missing};
    OpenRow(0);
    // Items handed over count as a selection.
    RunFromSelection(TCryptPage::Encrypt, L"secret");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, TMessageKind::Error);
    EXPECT_NE(window.messages[0].second.find(missing), std::wstring::npos);
    EXPECT_EQ(window.page, TWizardPage::EncryptSettings);
    EXPECT_NE(CurrentPath(), nullptr);
    EXPECT_TRUE(window.enabled.at(TWizardButton::Next));
}

TEST_F(WizardPaths, HideTakesCheckedItemsWholeAndShowPutsCheckedRowsBack) {
    CreateFolderChain(OnC(L"Docs"));
    WriteFile(OnC(L"Docs") + kPathDelim + L"inside.txt", "x");
    WriteFile(OnC(L"b.txt"), "beta");
    GivePassword();
    OpenRow(3);
    Check({L"a.txt"});
    Check({L"Docs"});
    Check({L"b.txt"});
    Click(&TWizard::NextButtonClick);
    WaitForRunEnd();
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"3 files were hidden");
    ASSERT_EQ(HiddenStore().Count(), 3);
    std::vector<std::wstring> stored;
    for (int i = 0; i < 3; ++i)
        stored.push_back(HiddenStore().Item(i).FilePath);
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::wstring>{OnC(L"Docs"), OnC(L"a.txt"), OnC(L"b.txt")}))
        << "the folder itself, not its file";
    Click(&TWizard::FinishButtonClick);

    GivePassword();
    OpenRow(4);
    ASSERT_EQ(window.hiddenItems.size(), 3u);
    const std::wstring kept = window.hiddenItems[1];
    window.hiddenChecked = {true, false, true};
    Click(&TWizard::NextButtonClick);
    EXPECT_EQ(CurrentPath(), nullptr);
    EXPECT_EQ(window.page, TWizardPage::Finish);
    EXPECT_EQ(window.labels[TWizardLabel::FinishInfo], L"Show operation completed");
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"2 files were shown");
    ASSERT_EQ(HiddenStore().Count(), 1);
    EXPECT_EQ(HiddenStore().Item(0).FilePath, kept);

    Click(&TWizard::FinishButtonClick);
    GivePassword();
    OpenRow(4);
    Click(&TWizard::NextButtonClick);
    EXPECT_EQ(window.labels[TWizardLabel::Files], L"0 file was shown");
    EXPECT_EQ(HiddenStore().Count(), 1);
}

TEST_F(WizardPaths, AListClickOpensTheRowUnderThePointerAfterAPause) {
    window.listRows = {-1};
    Click(&TWizard::OperationsListBoxClick);
    EXPECT_EQ(CurrentPath(), nullptr);

    window.listRows = {2, 0};  // the pointer moved on to Encrypt during the pause
    const auto start = std::chrono::steady_clock::now();
    Click(&TWizard::OperationsListBoxClick);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(window.stepText, L"Encrypting files - Step 1 of 2");
}

TEST_F(WizardPaths, TheFirstActivationAsksForAMainPasswordOnce) {
    newPassDialog.typed = L"new";
    AsUser([&] { wizard->FormActivate({}); });
    AsUser([&] { wizard->FormActivate({}); });
    EXPECT_EQ(newPassDialog.shown, 1);
    EXPECT_EQ(HiddenStore().Password, L"new");
    EXPECT_EQ(CurrentPath(), nullptr);
}

}  // namespace
}  // namespace dovrel::test
