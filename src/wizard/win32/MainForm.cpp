#include "MainForm.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "CaptionButton.h"
#include "MainFormIds.h"
#include "OptionsForm.h"
#include "ProgressForm.h"
#include "UiDispatcher.h"
#include "app/AppFolders.h"
#include "app/MainFormProperties.h"
#include "app/StartUp.h"
#include "hiding/HiddenConfig.h"
#include "platform/CommandLine.h"
#include "platform/Drives.h"
#include "platform/Error.h"
#include "platform/SystemError.h"
#include "wizard/DescriptionLines.h"
#include "wizard/PasswordEdits.h"
#include "wizard/SelectionTree.h"
#include "wizard/Wizard.h"

namespace dovrel {

using namespace mainform;

namespace {

// A fixed single border with the system menu and the minimize box, no maximize box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Posted at the first activation, so its dialogs open once activation is over.
constexpr UINT kFirstActivationMessage = WM_APP + 10;
// The status text follows the pointer; it is looked at ten times a second.
constexpr UINT_PTR kHintTimer = 1;
constexpr UINT kHintMilliseconds = 100;
constexpr COLORREF kLinkColour = RGB(0, 0, 128);
// The system menu's entry for the About page: a drawn title-bar button is not shown where
// the system composes window frames itself.
constexpr UINT kAboutSystemCommand = 0x0110;
// The program icon of the version resource.
constexpr const wchar_t* kProgramIcon = L"AAA_PROGRAM";

// "Text files (*.TXT)|*.txt|..." as the file dialog takes it: pairs ended by NUL, and one
// more NUL at the end.
std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring result = filter;
    for (wchar_t& c : result) {
        if (c == L'|')
            c = L'\0';
    }
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TMainForm::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(instance, kProgramIcon);
    if (windowClass.hIcon == nullptr)
        windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterWindowClass(windowClass);
    const RECT frame = CentredFrame(kClientWidth, kClientHeight, kStyle, WS_EX_CONTROLPARENT);
    CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, kApplicationName, kStyle, frame.left,
                    frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    instance, this);
    if (window_ == nullptr)
        throw Error(L"Cannot create the main window. " + SystemErrorText(GetLastError()));

    captionButton_ = std::make_unique<TCaptionButton>(
        window_, [this] { Guarded([this] { CaptionButtonClick(); }); });
    const HMENU systemMenu = GetSystemMenu(window_, FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kAboutSystemCommand, L"About Dovrel...");
    LoadPictures();
    CreateControls();
    drives_ = CreateSystemDrives();
    selectionTree_ = std::make_unique<TSelectionTree>(*filesTree_, *drives_, HiddenStore());
    filesTree_->SetModel(*selectionTree_);
    SetDescriptionWrapWidth(operationsList_->ComputeWrapWidth());
    ShowPage(TWizardPage::Main);
    SetWindowTextW(window_, kApplicationName);
    languageController_ = std::make_unique<TLanguageController>(
        std::wstring(kMainFormName), MainFormProperties(), static_cast<TPropertyTarget&>(*this));
    SetTimer(window_, kHintTimer, kHintMilliseconds, nullptr);
}

// The wizard's open path and the translator go while the controls still exist.
TMainForm::~TMainForm() {
    wizard_.reset();
    languageController_.reset();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TMainForm::Connect(const TMainFormPartners& partners) {
    progress_ = &partners.progress;
    dispatcher_ = &partners.dispatcher;
    options_ = &partners.options;
    hints_.insert(options_->Hints().begin(), options_->Hints().end());
    hintWindows_.push_back(options_->Handle());
    wizard_ = std::make_unique<TWizard>(*this, *selectionTree_, partners.mainPassword,
                                        partners.newPassword, partners.passwordMessages);
}

void TMainForm::Show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

bool TMainForm::OwnsWindow(HWND window) const {
    return window != nullptr && (window == window_ || IsChild(window_, window));
}

bool TMainForm::PreTranslateMessage(MSG& message) {
    if (!OwnsWindow(message.hwnd))
        return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
        ShowHelp();
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

void TMainForm::ShowHelp() {
    const std::wstring file = GetAppFolder() + L"Help\\Help.chm";
    // The result is not looked at: without the file nothing opens.
    ShellExecuteW(window_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0;
        captionButton_ != nullptr && captionButton_->HandleMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kAboutSystemCommand) {
                Guarded([this] { CaptionButtonClick(); });
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (filesTree_ != nullptr && header.hwndFrom == filesTree_->Handle()) {
                bool handled = false;
                Guarded([&] { handled = filesTree_->OnNotify(header, result); });
                if (handled)
                    return result;
            }
            break;
        }
        case WM_DRAWITEM:
            Guarded([&] { OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); });
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR: {
            const auto over = reinterpret_cast<HWND>(wParam);
            if (over == changeMainPassLink1_ || over == changeMainPassLink2_) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !activated_) {
                activated_ = true;
                PostMessageW(window_, kFirstActivationMessage, 0, 0);
            }
            break;
        case kFirstActivationMessage:
            OnFirstActivation();
            return 0;
        case WM_TIMER:
            if (wParam == kHintTimer)
                UpdateStatusText();
            return 0;
        case WM_HELP:
            ShowHelp();
            return TRUE;
        case WM_CLOSE:
            // Closing ends the program without a question.
            Terminate();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void TMainForm::OptionsButtonClick() {
    if (options_ != nullptr)
        options_->Show(TOptionsPage::General);
}

void TMainForm::CaptionButtonClick() {
    if (options_ != nullptr)
        options_->Show(TOptionsPage::About);
}

// Once: a main password when none is set, then what the command line asks for.
void TMainForm::OnFirstActivation() {
    Guarded([this] {
        if (wizard_ != nullptr)
            wizard_->FormActivate(ProgramArguments());
    });
}

void TMainForm::OnCommand(int id, int code) {
    if (wizard_ == nullptr)
        return;
    Guarded([&] {
        switch (id) {
            case kOptionsButton:
                OptionsButtonClick();
                break;
            case kHelpButton:
                ShowHelp();
                break;
            case kBackButton:
                wizard_->BackButtonClick();
                break;
            case kNextButton:
                wizard_->NextButtonClick();
                break;
            case kExitButton:
                wizard_->ExitButtonClick();
                break;
            case kFinishButton:
                wizard_->FinishButtonClick();
                break;
            case kEncryptAlgorithmComboBox:
                if (code == CBN_SELCHANGE)
                    EncryptAlgorithmComboBoxChange();
                break;
            case kShredAlgorithmComboBox:
                if (code == CBN_SELCHANGE)
                    ShredAlgorithmComboBoxChange();
                break;
            case kEncryptLoadPassdButton:
                LoadPasswordFromFile(*this, TCryptPage::Encrypt);
                break;
            case kDecryptLoadPassButton:
                LoadPasswordFromFile(*this, TCryptPage::Decrypt);
                break;
            case kEncryptMaskPasswordCheckBox:
                ToggleMasking(*this, TCryptPage::Encrypt);
                break;
            case kDecryptMaskPasswordCheckBox:
                ToggleMasking(*this, TCryptPage::Decrypt);
                break;
            case kChangeMainPassLabel1:
            case kChangeMainPassLabel2:
                if (code == STN_CLICKED)
                    wizard_->ChangeMainPassLabelClick();
                break;
            default:
                break;
        }
    });
}

// The pages are white: their labels, boxes and check boxes too; the links are navy.
LRESULT TMainForm::OnColorStatic(HDC dc, HWND control) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, control == changeMainPassLink1_ || control == changeMainPassLink2_
                         ? kLinkColour
                         : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == operationsList_->Handle()) {
        operationsList_->Draw(item);
    } else if (item.hwndItem == hiddenFiles_->Handle()) {
        hiddenFiles_->Draw(item);
    } else if (item.hwndItem == statusBar_) {
        DrawStatusPanel(item);
    } else {
        for (const auto* button : {optionsButton_.get(), helpButton_.get(), backButton_.get(),
                                   nextButton_.get(), exitButton_.get(), finishButton_.get()}) {
            if (item.hwndItem == button->Handle())
                button->Draw(item);
        }
    }
}

// --- TMainWindow ---

void TMainForm::ShowPage(TWizardPage page) {
    page_ = page;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i]->Handle(),
                   static_cast<int>(i) == static_cast<int>(page) ? SW_SHOW : SW_HIDE);
    // A control of the page that went cannot keep the keyboard.
    const HWND focus = GetFocus();
    if (focus != nullptr && OwnsWindow(focus) && !IsWindowVisible(focus))
        SetFocus(window_);
}

HWND TMainForm::Button(TWizardButton button) const {
    switch (button) {
        case TWizardButton::Next:
            return nextButton_->Handle();
        case TWizardButton::Back:
            return backButton_->Handle();
        case TWizardButton::Exit:
            break;
    }
    return exitButton_->Handle();
}

void TMainForm::SetButtonVisible(TWizardButton button, bool visible) {
    ShowWindow(Button(button), visible ? SW_SHOW : SW_HIDE);
    // Finish lies under Exit: it can be reached exactly while Exit is hidden.
    if (button == TWizardButton::Exit)
        ShowWindow(finishButton_->Handle(), visible ? SW_HIDE : SW_SHOW);
}

void TMainForm::SetButtonEnabled(TWizardButton button, bool enabled) {
    EnableWindow(Button(button), enabled ? TRUE : FALSE);
}

void TMainForm::SetButtonCaption(TWizardButton button, const std::wstring& caption) {
    SetWindowTextW(Button(button), caption.c_str());
    InvalidateRect(Button(button), nullptr, TRUE);
}

void TMainForm::SetStepText(const std::wstring& text) {
    windowHint_ = text;
    UpdateStatusText();
}

void TMainForm::SetLabel(TWizardLabel label, const std::wstring& text) {
    HWND control = nullptr;
    switch (label) {
        case TWizardLabel::ChooseFilesHeader:
            control = chooseFilesHeader_;
            break;
        case TWizardLabel::ChooseFilesDesc:
            control = chooseFilesDesc_;
            break;
        case TWizardLabel::FinishInfo:
            control = finishInfo_;
            break;
        case TWizardLabel::Files:
            control = filesLabel_;
            break;
    }
    SetWindowTextW(control, text.c_str());
}

void TMainForm::SetChangeMainPassLinkVisible(bool visible) {
    ShowWindow(changeMainPassLink1_, visible ? SW_SHOW : SW_HIDE);
}

void TMainForm::SetPathPicture(TPathPicture picture) {
    const TBitmap* bitmap = &pathPictures_[static_cast<std::size_t>(picture)];
    pages_[static_cast<int>(TWizardPage::ChooseFiles)]->SetPicture(bitmap, kPagePicture);
    pages_[static_cast<int>(TWizardPage::Finish)]->SetPicture(bitmap, kFinishPicture);
}

void TMainForm::ShowMessageBox(TMessageKind kind, const std::wstring& text) {
    switch (kind) {
        case TMessageKind::Plain:
            MessageBoxW(window_, text.c_str(), kApplicationName, MB_OK);
            break;
        case TMessageKind::Information:
            // No owner and no caption; task-modal, so the wizard waits for the answer.
            MessageBoxW(nullptr, text.c_str(), L"", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
            break;
        case TMessageKind::Error:
            MessageBoxW(window_, text.c_str(), kApplicationName, MB_OK | MB_ICONERROR);
            break;
    }
}

void TMainForm::FocusWindow() {
    SetForegroundWindow(window_);
    SetFocus(window_);
}

const TMainForm::TCryptControls& TMainForm::Crypt(TCryptPage page) const {
    return page == TCryptPage::Encrypt ? encrypt_ : decrypt_;
}

void TMainForm::FocusPasswordEdit(TCryptPage page) {
    SetFocus(Crypt(page).passwordEdit);
}

int TMainForm::OperationsListRow() const {
    return operationsList_->Row();
}

int TMainForm::EncryptCipherIndex() const {
    return static_cast<int>(SendMessageW(encryptAlgorithm_, CB_GETCURSEL, 0, 0));
}

int TMainForm::ShredSchemeIndex() const {
    return static_cast<int>(SendMessageW(shredAlgorithm_, CB_GETCURSEL, 0, 0));
}

std::wstring TMainForm::PasswordText(TCryptPage page) const {
    return WindowText(Crypt(page).passwordEdit);
}

void TMainForm::SetPasswordText(TCryptPage page, const std::wstring& text) {
    SetWindowTextW(Crypt(page).passwordEdit, text.c_str());
}

wchar_t TMainForm::PasswordChar(TCryptPage page) const {
    return static_cast<wchar_t>(SendMessageW(Crypt(page).passwordEdit, EM_GETPASSWORDCHAR, 0, 0));
}

void TMainForm::SetPasswordChar(TCryptPage page, wchar_t mask) {
    const HWND edit = Crypt(page).passwordEdit;
    SendMessageW(edit, EM_SETPASSWORDCHAR, mask, 0);
    InvalidateRect(edit, nullptr, TRUE);
}

bool TMainForm::DeleteSource(TCryptPage page) const {
    return SendMessageW(Crypt(page).deleteCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TMainForm::SetDeleteSource(TCryptPage page, bool ticked) {
    SendMessageW(Crypt(page).deleteCheckBox, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::wstring> TMainForm::ChoosePasswordFile() {
    const std::wstring filter = DialogFilter(passwordDialogFilter_);
    wchar_t file[MAX_PATH * 4] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = static_cast<DWORD>(std::size(file));
    dialog.lpstrTitle = passwordDialogTitle_.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return std::wstring(file);
}

void TMainForm::SetHiddenItems(const std::vector<std::wstring>& paths) {
    hiddenFiles_->SetItems(paths);
}

int TMainForm::HiddenItemCount() const {
    return hiddenFiles_->Count();
}

bool TMainForm::HiddenItemChecked(int row) const {
    return hiddenFiles_->Checked(row);
}

void TMainForm::ShowProgress() {
    progress_->Show();
}

void TMainForm::CloseProgress() {
    progress_->Close();
}

void TMainForm::Invoke(const std::function<void()>& call) {
    dispatcher_->Invoke(call);
}

void TMainForm::Terminate() {
    PostQuitMessage(0);
}

}  // namespace dovrel
