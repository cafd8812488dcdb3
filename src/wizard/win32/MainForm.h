#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "CheckListBox.h"
#include "Container.h"
#include "Controls.h"
#include "FilesTreeView.h"
#include "HandlerError.h"
#include "OperationsListBox.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "app/LanguageController.h"
#include "wizard/MainWindow.h"

namespace dovrel {

class TDrives;
class TCaptionButton;
class TMainPassDialog;
class TNewPassDialog;
class TOptionsForm;
class TPasswordMessages;
class TProgressForm;
class TSelectionTree;
class TUiDispatcher;
class TWizard;

// The windows the main window works with, made after it.
struct TMainFormPartners {
    TMainPassDialog& mainPassword;
    TNewPassDialog& newPassword;
    TPasswordMessages& passwordMessages;
    TProgressForm& progress;
    TUiDispatcher& dispatcher;
    TOptionsForm& options;
};

// The program's one main window: the page book of the wizard, the button bar and the status
// bar. It shows what the wizard sets and hands the user's clicks to the wizard; closing it
// ends the program.
class TMainForm final : public TMainWindow, private TPropertyTarget {
public:
    static constexpr const wchar_t* kClassName = L"TMainForm";
    static constexpr int kClientWidth = 698;
    static constexpr int kClientHeight = 475;

    // Creates the window hidden, with every control, translated into the current language.
    // Raises an Error with the system's reason on failure.
    explicit TMainForm(HINSTANCE instance);
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Joins the dialogs made after this window; the wizard works from here on.
    void Connect(const TMainFormPartners& partners);
    void Show(int showCommand);
    HWND Handle() const noexcept { return window_; }
    // The message loop's look at a message before it is dispatched: F1 and the keyboard
    // navigation between controls. True when the message was used up.
    bool PreTranslateMessage(MSG& message);
    // Opens "Help\Help.chm" of the program folder; a missing file shows nothing.
    void ShowHelp();

    // --- TMainWindow ---
    void ShowPage(TWizardPage page) override;
    TWizardPage CurrentPage() const override { return page_; }
    void SetButtonVisible(TWizardButton button, bool visible) override;
    void SetButtonEnabled(TWizardButton button, bool enabled) override;
    void SetButtonCaption(TWizardButton button, const std::wstring& caption) override;
    void SetStepText(const std::wstring& text) override;
    void SetLabel(TWizardLabel label, const std::wstring& text) override;
    void SetChangeMainPassLinkVisible(bool visible) override;
    void SetPathPicture(TPathPicture picture) override;
    void ShowMessageBox(TMessageKind kind, const std::wstring& text) override;
    void FocusWindow() override;
    void FocusPasswordEdit(TCryptPage page) override;
    int OperationsListRow() const override;
    int EncryptCipherIndex() const override;
    int ShredSchemeIndex() const override;
    std::wstring PasswordText(TCryptPage page) const override;
    void SetPasswordText(TCryptPage page, const std::wstring& text) override;
    wchar_t PasswordChar(TCryptPage page) const override;
    void SetPasswordChar(TCryptPage page, wchar_t mask) override;
    bool DeleteSource(TCryptPage page) const override;
    void SetDeleteSource(TCryptPage page, bool ticked) override;
    std::optional<std::wstring> ChoosePasswordFile() override;
    void SetHiddenItems(const std::vector<std::wstring>& paths) override;
    int HiddenItemCount() const override;
    bool HiddenItemChecked(int row) const override;
    void ShowProgress() override;
    void CloseProgress() override;
    void Invoke(const std::function<void()>& call) override;
    void Terminate() override;

private:
    // The settings controls of one of the two password pages.
    struct TCryptControls {
        HWND passwordEdit = nullptr;
        HWND maskCheckBox = nullptr;
        HWND deleteCheckBox = nullptr;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    LRESULT OnColorStatic(HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnFirstActivation();
    void OptionsButtonClick();
    // The title-bar help button and its stand-in in the system menu.
    void CaptionButtonClick();
    // Runs an event handler; an error escaping it is shown and the program goes on.
    template <typename Handler>
    void Guarded(Handler&& handler) noexcept;

    // --- the controls, made in MainFormControls.cpp ---
    void LoadPictures();
    void CreateControls();
    void CreateMainPage();
    void CreateEncryptPage();
    void CreateChoosePage();
    void CreateDecryptPage();
    void CreateShredPage();
    void CreateShowPage();
    void CreateFinishPage();
    void CreateButtonBar();
    void CreateStatusBar();
    HWND AddControl(const wchar_t* name, TWizardPage page, const wchar_t* className,
                    const std::wstring& text, DWORD style, const RECT& place, HFONT font,
                    int id = -1, DWORD exStyle = 0);
    HWND AddLabel(const wchar_t* name, TWizardPage page, const std::wstring& text, int left,
                  int top, HFONT font, int width = 0, int height = 0);
    HWND AddLink(const wchar_t* name, int id, TWizardPage page, const std::wstring& text, int top);
    HWND AddCheckBox(const wchar_t* name, int id, TWizardPage page, const std::wstring& text,
                     int left, int top);
    HWND AddDropDown(const wchar_t* name, int id, TWizardPage page, const RECT& place,
                     const wchar_t* (*entry)(std::size_t), std::size_t count);

    // --- texts, in MainFormTexts.cpp ---
    std::wstring PropertyText(std::wstring_view control, std::wstring_view property) override;
    void SetPropertyText(std::wstring_view control, std::wstring_view property,
                         const std::wstring& text) override;
    HWND NamedControl(std::wstring_view name) const;
    // The status text follows the hint of the control under the pointer, or the step text.
    void UpdateStatusText();
    std::wstring HintUnderPointer() const;
    void DrawStatusPanel(const DRAWITEMSTRUCT& item) const;
    void EncryptAlgorithmComboBoxChange();
    void ShredAlgorithmComboBoxChange();

    HWND Button(TWizardButton button) const;
    const TCryptControls& Crypt(TCryptPage page) const;
    bool OwnsWindow(HWND window) const;

    HWND window_ = nullptr;

    TFont font_{L"Microsoft Sans Serif", 8};
    TFont boldFont_{L"Microsoft Sans Serif", 8, true};
    TFont largeFont_{L"Microsoft Sans Serif", 10};
    TFont linkFont_{L"Tahoma", 8, false, true};

    TBitmap mainPicture_;
    std::array<TBitmap, 5> pathPictures_;  // by TPathPicture
    TBitmap buttonPictures_;
    TBitmap treePictures_;

    std::array<std::unique_ptr<TContainer>, 8> pages_;
    TWizardPage page_ = TWizardPage::Main;
    std::unique_ptr<TContainer> lowerPanel_;
    std::unique_ptr<TOperationsListBox> operationsList_;
    std::unique_ptr<TFilesTreeView> filesTree_;
    std::unique_ptr<TCheckListBox> hiddenFiles_;
    std::unique_ptr<TPictureButton> optionsButton_, helpButton_, backButton_, nextButton_,
        exitButton_, finishButton_;
    HWND statusBar_ = nullptr;
    HWND encryptAlgorithm_ = nullptr;
    HWND shredAlgorithm_ = nullptr;
    HWND algorithmDescription_ = nullptr;
    HWND shredDescription_ = nullptr;
    HWND chooseFilesHeader_ = nullptr;
    HWND chooseFilesDesc_ = nullptr;
    HWND changeMainPassLink1_ = nullptr;
    HWND changeMainPassLink2_ = nullptr;
    HWND finishInfo_ = nullptr;
    HWND filesLabel_ = nullptr;
    TCryptControls encrypt_;
    TCryptControls decrypt_;

    // What the language controller translates, by the controls' design names.
    std::map<std::wstring, HWND, std::less<>> named_;
    std::map<HWND, std::wstring> hints_;
    // Top-level windows besides this one whose hints show in the status bar.
    std::vector<HWND> hintWindows_;
    std::wstring passwordDialogFilter_ = L"Text files (*.TXT)|*.txt| All files|*.*";
    std::wstring passwordDialogTitle_ = L"Choose file which content will be used as password";
    std::wstring windowHint_;  // the open path's step text
    std::wstring statusText_;
    std::unique_ptr<TLanguageController> languageController_;

    std::unique_ptr<TCaptionButton> captionButton_;
    std::unique_ptr<TDrives> drives_;
    std::unique_ptr<TSelectionTree> selectionTree_;
    std::unique_ptr<TWizard> wizard_;
    TProgressForm* progress_ = nullptr;
    TOptionsForm* options_ = nullptr;
    TUiDispatcher* dispatcher_ = nullptr;
    bool activated_ = false;
};

template <typename Handler>
void TMainForm::Guarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        ShowHandlerError(window_);
    }
}

}  // namespace dovrel
