#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppFolders.h"
#include "app/CmdLineActivate.h"
#include "crypto/CryptoAlgorithms.h"
#include "engine/FilesIterationThread.h"
#include "engine/UserInterface.h"
#include "hiding/HiddenConfig.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/memory/MemoryDrives.h"
#include "shred/ShredAlgorithms.h"
#include "support/TempFolder.h"
#include "wizard/OperationPath.h"
#include "wizard/PathClasses.h"
#include "wizard/SelectionTree.h"
#include "wizard/Wizard.h"
#include "wizard/WizardFakes.h"

namespace dovrel::test {

// A run's questions to the user: each prompt takes the next password, or cancels the run
// when none is left, as the progress dialog's Cancel would on the window's thread.
class TPromptingUi final : public TUserInterface {
public:
    explicit TPromptingUi(TFakeMainWindow& window) : window_(window) {}

    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    bool AskPassword(const std::wstring& fileName, std::wstring& password) override {
        prompts.push_back(fileName);
        if (passwords.empty()) {
            window_.Invoke([] { CancelRun(); });
            return false;
        }
        password = passwords.front();
        passwords.erase(passwords.begin());
        return true;
    }

    std::vector<std::wstring> messages, prompts, passwords;

private:
    TFakeMainWindow& window_;
};

inline void WriteFile(const std::wstring& path, const std::string& bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

inline bool Exists(const std::wstring& path) {
    return GetAttributeData(path).has_value();
}

// A wizard over one drive C:, whose files live in a temporary folder, with the program's
// catalogues, the hidden-items store and the list file in that folder too.
class WizardFixture : public testing::Test {
protected:
    WizardFixture() {
        InitAppFolders(temp.Path(L"data"));
        CreateHiddenStore();
        BuildCipherCatalogue();
        BuildShredCatalogue();
        CreatePathClasses();
        SetUserInterface(&ui);
        PreselectedItems().clear();
        CreateFolderChain(DriveC());
        drives.Add(L'C', {});
        tree = std::make_unique<TSelectionTree>(
            control, drives, HiddenStore(),
            [this](const std::wstring& drive) { return temp.Path(drive.substr(0, 1)); });
        wizard = std::make_unique<TWizard>(window, *tree, entryDialog, newPassDialog, messages);
    }
    ~WizardFixture() override {
        WaitForRunEnd();
        wizard.reset();
        tree.reset();
        PreselectedItems().clear();
        SetUserInterface(nullptr);
        ReleasePathClasses();
        ReleaseShredCatalogue();
        ReleaseCipherCatalogue();
        FreeHiddenStore();
    }

    std::wstring DriveC() const { return temp.Path(L"C"); }
    std::wstring OnC(const std::wstring& name) const { return DriveC() + kPathDelim + name; }

    // Acts as the user on the window's thread.
    template <typename Action>
    void AsUser(Action action) {
        std::lock_guard lock(window.thread);
        action();
    }
    void Click(void (TWizard::*handler)()) {
        AsUser([&] { (wizard.get()->*handler)(); });
    }
    void OpenRow(int row) {
        AsUser([&] { wizard->OpenPathOfRow(row); });
    }

    // The node of C: or of a name below it, expanding the nodes on the way.
    TTreeNode& Node(std::initializer_list<std::wstring> names) {
        TTreeNode* node = tree->RootNodes().at(0).get();
        for (const std::wstring& name : names) {
            tree->FilesTreeViewExpanding(*node);
            TTreeNode* child = nullptr;
            for (std::size_t i = 0; i < node->ChildCount(); ++i) {
                if (node->Child(i).Text() == name)
                    child = &node->Child(i);
            }
            if (child == nullptr)
                throw std::runtime_error("no such node");
            node = child;
        }
        return *node;
    }
    void Check(std::initializer_list<std::wstring> names) {
        AsUser([&] { tree->ToggleNodeCheck(&Node(names)); });
    }

    // Next from the selection page with `password` on the settings page, waiting for the
    // run to end.
    void RunFromSelection(TCryptPage page, const std::wstring& password) {
        Click(&TWizard::NextButtonClick);
        window.passwords[page] = password;
        Click(&TWizard::NextButtonClick);
        WaitForRunEnd();
    }

    TempFolder temp;
    TFakeMainWindow window;
    TMirrorTreeControl control;
    TMemoryDrives drives;
    TScriptedEntryDialog entryDialog;
    TScriptedNewPassDialog newPassDialog;
    TRecordedPasswordMessages messages;
    TPromptingUi ui{window};
    std::unique_ptr<TSelectionTree> tree;
    std::unique_ptr<TWizard> wizard;
};

}  // namespace dovrel::test
