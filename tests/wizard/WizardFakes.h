#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hiding/MainPassword.h"
#include "wizard/MainWindow.h"
#include "wizard/SelectionTree.h"

namespace dovrel::test {

// The main window as state. Its "window thread" is a mutex: the test holds it while it
// acts as the user, and a run's worker takes it for every call it hands over.
class TFakeMainWindow final : public TMainWindow {
public:
    void ShowPage(TWizardPage shown) override { page = shown; }
    TWizardPage CurrentPage() const override { return page; }

    void SetButtonVisible(TWizardButton button, bool on) override { visible[button] = on; }
    void SetButtonEnabled(TWizardButton button, bool on) override { enabled[button] = on; }
    void SetButtonCaption(TWizardButton button, const std::wstring& text) override {
        caption[button] = text;
    }

    void SetStepText(const std::wstring& text) override { stepText = text; }
    void SetLabel(TWizardLabel label, const std::wstring& text) override { labels[label] = text; }
    void SetChangeMainPassLinkVisible(bool on) override { changePassLinkVisible = on; }
    void SetPathPicture(TPathPicture shown) override { picture = shown; }
    void ShowMessageBox(TMessageKind kind, const std::wstring& text) override {
        messages.push_back({kind, text});
    }
    void FocusWindow() override { ++windowFocused; }
    void FocusPasswordEdit(TCryptPage page) override { focusedEdit = page; }

    // The pointer's row as each read finds it; the last one stays.
    int OperationsListRow() const override {
        const int row = listRows.front();
        if (listRows.size() > 1)
            listRows.pop_front();
        return row;
    }

    int EncryptCipherIndex() const override { return cipherIndex; }
    int ShredSchemeIndex() const override { return schemeIndex; }
    std::wstring PasswordText(TCryptPage page) const override { return passwords.at(page); }
    void SetPasswordText(TCryptPage page, const std::wstring& text) override {
        passwords[page] = text;
    }
    wchar_t PasswordChar(TCryptPage page) const override { return masks.at(page); }
    void SetPasswordChar(TCryptPage page, wchar_t mask) override { masks[page] = mask; }
    bool DeleteSource(TCryptPage page) const override { return deleteSource.at(page); }
    void SetDeleteSource(TCryptPage page, bool on) override { deleteSource[page] = on; }
    std::optional<std::wstring> ChoosePasswordFile() override { return passwordFile; }

    void SetHiddenItems(const std::vector<std::wstring>& paths) override {
        hiddenItems = paths;
        hiddenChecked.assign(paths.size(), false);
    }
    int HiddenItemCount() const override { return static_cast<int>(hiddenItems.size()); }
    bool HiddenItemChecked(int row) const override { return hiddenChecked.at(row); }

    void ShowProgress() override { ++progressShown; }
    void CloseProgress() override { ++progressClosed; }

    void Invoke(const std::function<void()>& call) override {
        std::lock_guard lock(thread);
        call();
    }
    void Terminate() override { ++terminated; }

    // The state the window is created with: the main page, only Exit shown.
    TWizardPage page = TWizardPage::Main;
    std::map<TWizardButton, bool> visible{
        {TWizardButton::Next, false}, {TWizardButton::Back, false}, {TWizardButton::Exit, true}};
    std::map<TWizardButton, bool> enabled{
        {TWizardButton::Next, true}, {TWizardButton::Back, true}, {TWizardButton::Exit, true}};
    std::map<TWizardButton, std::wstring> caption{{TWizardButton::Next, L"Next"},
                                                  {TWizardButton::Back, L"Back"},
                                                  {TWizardButton::Exit, L"Exit"}};
    std::wstring stepText;
    std::map<TWizardLabel, std::wstring> labels;
    bool changePassLinkVisible = false;
    std::optional<TPathPicture> picture;
    std::vector<std::pair<TMessageKind, std::wstring>> messages;
    int windowFocused = 0;
    std::optional<TCryptPage> focusedEdit;
    mutable std::deque<int> listRows{-1};
    int cipherIndex = 0;
    int schemeIndex = 0;
    std::map<TCryptPage, std::wstring> passwords{{TCryptPage::Encrypt, L""},
                                                 {TCryptPage::Decrypt, L""}};
    std::map<TCryptPage, wchar_t> masks{{TCryptPage::Encrypt, L'*'}, {TCryptPage::Decrypt, L'*'}};
    std::map<TCryptPage, bool> deleteSource{{TCryptPage::Encrypt, true},
                                            {TCryptPage::Decrypt, false}};
    std::optional<std::wstring> passwordFile;
    std::vector<std::wstring> hiddenItems;
    std::vector<bool> hiddenChecked;
    int progressShown = 0;
    int progressClosed = 0;
    int terminated = 0;
    std::mutex thread;
};

// Keeps the nodes the control was told about, with the state it was last told, so a test
// can see that the control shows what the model holds.
class TMirrorTreeControl final : public TTreeControl {
public:
    void Clearing() override { shown.clear(); }
    void NodeAdded(TTreeNode& node) override {
        if (node.Parent() != nullptr) {
            EXPECT_TRUE(shown.count(node.Parent())) << "a child before its parent";
        }
        shown[&node] = node.State();
    }
    void DeletingChildren(TTreeNode& node) override {
        for (std::size_t i = 0; i < node.ChildCount(); ++i)
            Forget(node.Child(i));
    }
    void StateChanged(TTreeNode& node) override {
        EXPECT_TRUE(shown.count(&node)) << "a state change of a node the control lacks";
        shown[&node] = node.State();
    }

    // Whether the control holds exactly the tree's nodes, each in its state.
    bool Mirrors(const TSelectionTree& tree) const {
        std::size_t count = 0;
        for (const auto& root : tree.RootNodes()) {
            if (!Mirrors(*root, count))
                return false;
        }
        return count == shown.size();
    }

    std::map<const TTreeNode*, TCheckState> shown;

private:
    void Forget(TTreeNode& node) {
        for (std::size_t i = 0; i < node.ChildCount(); ++i)
            Forget(node.Child(i));
        shown.erase(&node);
    }
    bool Mirrors(const TTreeNode& node, std::size_t& count) const {
        const auto found = shown.find(&node);
        if (found == shown.end() || found->second != node.State())
            return false;
        ++count;
        for (std::size_t i = 0; i < node.ChildCount(); ++i) {
            if (!Mirrors(node.Child(i), count))
                return false;
        }
        return true;
    }
};

struct TEntry {
    TModalResult result;
    std::wstring typed;
};

// The main password prompt answering in turn; running out of answers is a fault.
class TScriptedEntryDialog final : public TMainPassDialog {
public:
    TModalResult ShowModal() override {
        ++shown;
        if (answers.empty()) {
            ADD_FAILURE() << "the main password prompt was shown once too often";
            return TModalResult::mrCancel;
        }
        current_ = answers.front();
        answers.pop_front();
        return current_.result;
    }
    std::wstring Password() const override { return current_.typed; }

    std::deque<TEntry> answers;
    int shown = 0;

private:
    TEntry current_{TModalResult::mrCancel, L""};
};

// The new-password dialog, cancelled unless told the two texts to give.
class TScriptedNewPassDialog final : public TNewPassDialog {
public:
    TModalResult ShowModal(const TNewPassHandler& onOk) override {
        ++shown;
        if (typed && onOk(*typed, *typed))
            return TModalResult::mrOk;
        return TModalResult::mrCancel;
    }

    std::optional<std::wstring> typed;
    int shown = 0;
};

class TRecordedPasswordMessages final : public TPasswordMessages {
public:
    void ShowError(const std::wstring& text) override { shown.push_back(text); }
    std::vector<std::wstring> shown;
};

}  // namespace dovrel::test
