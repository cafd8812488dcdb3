#include "PasswordForms.h"

#include "Controls.h"

namespace dovrel {

namespace {

constexpr int kWidth = 380;
constexpr int kMargin = 12;
constexpr int kInner = kWidth - 2 * kMargin;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr DWORD kPasswordEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_PASSWORD;

// The labels and the edits under them, from `top`; returns the edit.
HWND AddPasswordRow(HWND parent, HFONT font, const std::wstring& label, int top, int id,
                    HWND* labelWindow = nullptr) {
    const HWND text = CreateChild(parent, L"STATIC", label, WS_VISIBLE | SS_LEFTNOWORDWRAP, -1,
                                  Place(kMargin, top, kInner, 13), font);
    if (labelWindow != nullptr)
        *labelWindow = text;
    const HWND edit =
        CreateChild(parent, L"EDIT", L"", WS_VISIBLE | kPasswordEdit, id,
                    Place(kMargin, top + 16, kInner, kEditHeight), font, WS_EX_CLIENTEDGE);
    SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
    return edit;
}

void AddButtons(HWND parent, HFONT font, int top) {
    CreateChild(parent, L"BUTTON", L"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
                Place(kWidth - kMargin - 2 * kButtonWidth - 6, top, kButtonWidth, kButtonHeight),
                font);
    CreateChild(parent, L"BUTTON", L"Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
                Place(kWidth - kMargin - kButtonWidth, top, kButtonWidth, kButtonHeight), font);
}

void AddInfo(HWND parent, HFONT font, const wchar_t* text) {
    CreateChild(parent, L"STATIC", text, WS_VISIBLE | SS_LEFT, -1, Place(kMargin, 10, kInner, 40),
                font);
}

}  // namespace

TMainPassForm::TMainPassForm(HWND owner)
    : TDialogForm(L"TMainPassForm", L"Enter Main Password", kWidth, 146, owner) {
    AddInfo(Handle(), font_.Handle(),
            L"You should enter Main Password you created earlier to hide files from Explorer or "
            L"show hidden files");
    edit_ = AddPasswordRow(Handle(), font_.Handle(), L"Enter password:", 56, 100);
    AddButtons(Handle(), font_.Handle(), 109);
}

TModalResult TMainPassForm::ShowModal() {
    SetWindowTextW(edit_, L"");
    return TDialogForm::ShowModal(edit_);
}

std::wstring TMainPassForm::Password() const {
    return WindowText(edit_);
}

TChangeMainPassForm::TChangeMainPassForm(HWND owner)
    : TDialogForm(L"TChangeMainPassForm", L"Set New Main Password", kWidth, 190, owner) {
    AddInfo(Handle(), font_.Handle(),
            L"You should create Main Password here. You will be prompted to enter it every time "
            L"you want to Hide files from Explorer or Show hidden files.");
    edit_ = AddPasswordRow(Handle(), font_.Handle(), L"Enter new password:", 56, 100);
    againEdit_ = AddPasswordRow(Handle(), font_.Handle(), L"Enter new password again:", 100, 101);
    AddButtons(Handle(), font_.Handle(), 153);
}

TModalResult TChangeMainPassForm::ShowModal(const TNewPassHandler& onOk) {
    SetWindowTextW(edit_, L"");
    SetWindowTextW(againEdit_, L"");
    onOk_ = &onOk;
    const TModalResult result = TDialogForm::ShowModal(edit_);
    onOk_ = nullptr;
    return result;
}

// OK closes only when the handler accepts the two texts.
void TChangeMainPassForm::OnCommand(int id, int code, HWND control) {
    if (id == IDOK) {
        if (onOk_ != nullptr && (*onOk_)(WindowText(edit_), WindowText(againEdit_)))
            EndModal(TModalResult::mrOk);
        return;
    }
    TDialogForm::OnCommand(id, code, control);
}

TOperationPassForm::TOperationPassForm(HWND owner)
    : TDialogForm(L"TOperationPassForm", L"Enter valid password", kWidth, 146, owner) {
    AddInfo(Handle(), font_.Handle(),
            L"You should enter valid password to complete operation you need");
    edit_ = AddPasswordRow(Handle(), font_.Handle(), L"Enter password:", 56, 100, &label_);
    AddButtons(Handle(), font_.Handle(), 109);
}

bool TOperationPassForm::Ask(const std::wstring& prompt, std::wstring& password) {
    SetWindowTextW(label_, prompt.c_str());
    SetWindowTextW(edit_, L"");
    const TModalResult result = ShowModal(edit_);
    password = WindowText(edit_);
    return result == TModalResult::mrOk;
}

void TPasswordMessageBoxes::ShowError(const std::wstring& text) {
    // Task-modal: without an owner the box must still keep the windows from being used.
    MessageBoxW(nullptr, text.c_str(), L"", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace dovrel
