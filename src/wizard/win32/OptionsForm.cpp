#include "OptionsForm.h"

#include <commctrl.h>

#include "Resources.h"
#include "app/OptionsUnit.h"
#include "hiding/HiddenConfig.h"
#include "platform/Shell.h"

namespace dovrel {

namespace {

enum : int { kHelpButton = 100, kIntegrateCheckBox, kCascadedCheckBox, kChooseMainPassButton };

constexpr int kClientWidth = 447;
constexpr int kClientHeight = 282;
constexpr RECT kPages{8, 8, 439, 241};
constexpr int kButtonTop = 249;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;

constexpr const wchar_t* kMainPasswordText =
    L"Main Password is used to control access to Hide files and Show files features. Only person "
    L"who knows Main Password can hide files form Explorer and show previously hidden files.";

// The width of `text` in `font`, for a caption that must not cover more of a frame's line
// than it needs.
int TextWidth(HWND window, HFONT font, const std::wstring& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

TOptionsForm::TOptionsForm(HWND owner)
    : TDialogForm(L"TOptionsForm", L"Options", kClientWidth, kClientHeight, owner, WS_MINIMIZEBOX) {
    aboutPicture_ = DecodePicture(ResourceBytes(IDR_ABOUT_PICTURE));
    // The sheets lie over the tab control, which must not paint over them.
    pages_ =
        Add(WC_TABCONTROLW, L"", WS_TABSTOP, -1,
            Place(kPages.left, kPages.top, kPages.right - kPages.left, kPages.bottom - kPages.top));
    const wchar_t* tabs[] = {L"General", L"About"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        SendMessageW(pages_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT display = kPages;
    SendMessageW(pages_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (auto& sheet : sheets_) {
        sheet = std::make_unique<TContainer>(Handle(), display, Handle(), TContainer::TLook::Sheet);
        SetWindowPos(sheet->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    CreateGeneralPage();
    CreateAboutPage();

    const struct {
        const wchar_t* caption;
        DWORD style;
        int id;
        int left;
        const wchar_t* hint;
    } buttons[] = {
        {L"&OK", BS_DEFPUSHBUTTON, IDOK, 197, L"Apply changes and close this window"},
        {L"&Cancel", BS_PUSHBUTTON, IDCANCEL, 280, L"Exit this window without saving options"},
        {L"&Help", BS_PUSHBUTTON, kHelpButton, 363,
         L"View help for the current page of Options dialog"},
    };
    for (const auto& b : buttons) {
        const HWND button = Add(L"BUTTON", b.caption, WS_TABSTOP | b.style, b.id,
                                Place(b.left, kButtonTop, kButtonWidth, kButtonHeight));
        hints_[button] = b.hint;
    }
    SelectPage(TOptionsPage::General);
}

void TOptionsForm::CreateGeneralPage() {
    TContainer& sheet = *sheets_[static_cast<int>(TOptionsPage::General)];
    AddGroup(sheet, L"Shell extension options", Place(8, 12, 405, 70));
    integrateCheckBox_ = AddTo(sheet, L"BUTTON", L"&Integrate Tolvarin into shell", kCheckBox,
                               kIntegrateCheckBox, Place(20, 30, 380, 17));
    hints_[integrateCheckBox_] =
        L"Program's items will appear in Explorer context menu for files and folders";
    cascadedCheckBox_ = AddTo(sheet, L"BUTTON", L"Use cascaded context menus", kCheckBox,
                              kCascadedCheckBox, Place(20, 54, 380, 17));
    hints_[cascadedCheckBox_] = L"Shell context menu items will hide inside submenu";

    AddGroup(sheet, L"Main password", Place(8, 96, 405, 100));
    const HWND choose =
        AddTo(sheet, L"BUTTON", L"Change Main Password...", WS_TABSTOP | BS_PUSHBUTTON,
              kChooseMainPassButton, Place(20, 114, 150, 25));
    hints_[choose] = L"Change Main Password...";
    AddTo(sheet, L"STATIC", kMainPasswordText, SS_LEFT, -1, Place(20, 147, 385, 40));
}

void TOptionsForm::CreateAboutPage() {
    TContainer& sheet = *sheets_[static_cast<int>(TOptionsPage::About)];
    const RECT picture = Place(28, 38, aboutPicture_.Width(), aboutPicture_.Height());
    sheet.SetPicture(&aboutPicture_, picture);
    const int left = picture.right + 16;
    const int width = 405 - left;
    AddTo(sheet, L"STATIC", L"Tolvarin", SS_CENTER, -1, Place(left, 62, width, 16),
          boldFont_.Handle());
    AddTo(sheet, L"STATIC", L"Version " DOVREL_VERSION_SHORT, SS_CENTER, -1,
          Place(left, 88, width, 13));
    AddTo(sheet, L"STATIC", L"Protects your secret files from exposure", SS_CENTER, -1,
          Place(left, 108, width, 13));
}

HWND TOptionsForm::AddTo(TContainer& sheet, const wchar_t* className, const std::wstring& text,
                         DWORD style, int id, const RECT& place, HFONT font) {
    return CreateChild(sheet.Handle(), className, text, WS_VISIBLE | style, id, place,
                       font != nullptr ? font : font_.Handle());
}

void TOptionsForm::AddGroup(TContainer& sheet, const std::wstring& caption, const RECT& place) {
    sheet.AddFrame(place);
    const std::wstring text = L" " + caption + L" ";
    AddTo(sheet, L"STATIC", text, kLabel, -1,
          Place(place.left + 8, place.top - 6, TextWidth(Handle(), font_.Handle(), text), 13));
}

void TOptionsForm::Connect(const TOptionsFormPartners& partners) {
    partners_ = std::make_unique<TOptionsFormPartners>(partners);
}

void TOptionsForm::RewriteIntegrateCaption() {
    SetWindowTextW(integrateCheckBox_, IntegrateCaption(WindowText(integrateCheckBox_)).c_str());
}

void TOptionsForm::Show(TOptionsPage page) {
    TOptions options;
    SetOptionsToGUI(*this, options);
    SelectPage(page);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(GetDlgItem(Handle(), IDOK));
}

void TOptionsForm::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void TOptionsForm::SelectPage(TOptionsPage page) {
    const int index = static_cast<int>(page);
    SendMessageW(pages_, TCM_SETCURSEL, index, 0);
    for (int i = 0; i < static_cast<int>(sheets_.size()); ++i)
        ShowWindow(sheets_[i]->Handle(), i == index ? SW_SHOW : SW_HIDE);
}

bool TOptionsForm::PreTranslateMessage(MSG& message) {
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
        return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
        partners_->showHelp();
        return true;
    }
    return IsDialogMessageW(Handle(), &message) != FALSE;
}

TShellOptions TOptionsForm::Ticks() const {
    return {IsDlgButtonChecked(GetParent(integrateCheckBox_), kIntegrateCheckBox) == BST_CHECKED,
            IsDlgButtonChecked(GetParent(cascadedCheckBox_), kCascadedCheckBox) == BST_CHECKED};
}

void TOptionsForm::SetTicks(const TShellOptions& ticks) {
    SendMessageW(integrateCheckBox_, BM_SETCHECK, ticks.Integrate ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(cascadedCheckBox_, BM_SETCHECK, ticks.Cascaded ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TOptionsForm::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDOK: {
            // A failed write raises here: its message is shown and the dialog stays open.
            TOptions options;
            OptionsOkClick(*this, options, ModulePath(), &StartHidden);
            Hide();
            break;
        }
        case IDCANCEL:
            Hide();
            break;
        case kHelpButton:
            partners_->showHelp();
            break;
        case kChooseMainPassButton: {
            // The password dialogs disable the main window; this one must wait too.
            EnableWindow(Handle(), FALSE);
            struct TEnableAgain {
                HWND window;
                ~TEnableAgain() { EnableWindow(window, TRUE); }
            } enableAgain{Handle()};
            ChooseMainPassButtonClick(HiddenStore(), partners_->mainPassword,
                                      partners_->newPassword, partners_->passwordMessages);
            break;
        }
        default:
            break;
    }
}

LRESULT TOptionsForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == pages_ && header.code == TCN_SELCHANGE)
                SelectPage(static_cast<TOptionsPage>(SendMessageW(pages_, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        case WM_HELP:
            partners_->showHelp();
            return TRUE;
        case WM_CLOSE:
            Hide();
            return 0;
        default:
            return TDialogForm::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace dovrel
