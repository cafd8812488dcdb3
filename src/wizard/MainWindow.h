#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dovrel {

// The pages of the main window's page book, by their index.
enum class TWizardPage : int {
    Main = 0,             // the list of operations
    EncryptSettings = 1,  // cipher, password, delete-source
    ChooseFiles = 2,      // the selection tree
    DecryptSettings = 3,  // password, delete-source
    ShredSettings = 4,    // shredding scheme
    ShowList = 5,         // the hidden items, a check box per row
    HidePicture = 6,      // only holds the hide path's picture; never shown
    Finish = 7,
};

// The buttons the wizard drives. The Finish button lies under Exit and is reached only
// while Exit is hidden.
enum class TWizardButton { Next, Back, Exit };

enum class TWizardLabel {
    ChooseFilesHeader,
    ChooseFilesDesc,
    FinishInfo,  // the finish page's headline
    Files,       // the finish page's file-count sentence
};

// The picture a path copies onto the selection and finish pages.
enum class TPathPicture { Encrypt, Decrypt, Shred, Hide, Show };

// The two settings pages with a password edit, a "Mask password" box and a delete-source box.
enum class TCryptPage { Encrypt, Decrypt };

enum class TMessageKind {
    Plain,        // an OK button and nothing else
    Information,  // the information icon, an empty caption, no owner window
    Error,        // the error icon
};

// The main window as the wizard sees it. Everything is called on the window's thread,
// except Invoke, which is how a run's worker reaches that thread.
class TMainWindow {
public:
    virtual ~TMainWindow() = default;

    virtual void ShowPage(TWizardPage page) = 0;
    virtual TWizardPage CurrentPage() const = 0;

    virtual void SetButtonVisible(TWizardButton button, bool visible) = 0;
    virtual void SetButtonEnabled(TWizardButton button, bool enabled) = 0;
    virtual void SetButtonCaption(TWizardButton button, const std::wstring& caption) = 0;

    // The window's own hint, which the status bar shows while the pointer is over no control
    // with a hint of its own.
    virtual void SetStepText(const std::wstring& text) = 0;
    virtual void SetLabel(TWizardLabel label, const std::wstring& text) = 0;
    // The "Change main password..." link of the selection page.
    virtual void SetChangeMainPassLinkVisible(bool visible) = 0;
    virtual void SetPathPicture(TPathPicture picture) = 0;
    // Modal; returns when the user closed the box.
    virtual void ShowMessageBox(TMessageKind kind, const std::wstring& text) = 0;
    virtual void FocusWindow() = 0;
    virtual void FocusPasswordEdit(TCryptPage page) = 0;

    // The row under the pointer in the operation list, -1 for none.
    virtual int OperationsListRow() const = 0;

    // The settings the user chose. The indices are rows of the drop-down lists, which list
    // their catalogues in catalogue order.
    virtual int EncryptCipherIndex() const = 0;
    virtual int ShredSchemeIndex() const = 0;
    virtual std::wstring PasswordText(TCryptPage page) const = 0;
    virtual void SetPasswordText(TCryptPage page, const std::wstring& text) = 0;
    // The character shown for each typed one; 0 when the edit shows what was typed.
    virtual wchar_t PasswordChar(TCryptPage page) const = 0;
    virtual void SetPasswordChar(TCryptPage page, wchar_t mask) = 0;
    virtual bool DeleteSource(TCryptPage page) const = 0;
    virtual void SetDeleteSource(TCryptPage page, bool ticked) = 0;
    // The password-file dialog; nothing when the user cancelled it.
    virtual std::optional<std::wstring> ChoosePasswordFile() = 0;

    // The show page's list: one unchecked row per path, replacing what it held.
    virtual void SetHiddenItems(const std::vector<std::wstring>& paths) = 0;
    virtual int HiddenItemCount() const = 0;
    virtual bool HiddenItemChecked(int row) const = 0;

    // The progress dialog of a run, shown without being modal.
    virtual void ShowProgress() = 0;
    virtual void CloseProgress() = 0;

    // Runs `call` on the window's thread and returns once it has run; callable from any
    // thread.
    virtual void Invoke(const std::function<void()>& call) = 0;
    // Asks the application to end its message loop.
    virtual void Terminate() = 0;
};

}  // namespace dovrel
