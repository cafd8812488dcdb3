#pragma once

#include <string>

#include "DialogForm.h"
#include "hiding/MainPassword.h"

// The three small password dialogs: the main password's entry, a new main password, and
// the password of one encrypted file that a run asks for. Their edits are emptied and the
// first one focused at every showing, so no typed password stays in a dialog.
namespace dovrel {

class TMainPassForm final : public TDialogForm, public TMainPassDialog {
public:
    explicit TMainPassForm(HWND owner);
    TModalResult ShowModal() override;
    std::wstring Password() const override;

private:
    HWND edit_;
};

class TChangeMainPassForm final : public TDialogForm, public TNewPassDialog {
public:
    explicit TChangeMainPassForm(HWND owner);
    TModalResult ShowModal(const TNewPassHandler& onOk) override;

private:
    void OnCommand(int id, int code, HWND control) override;

    HWND edit_;
    HWND againEdit_;
    const TNewPassHandler* onOk_ = nullptr;
};

class TOperationPassForm final : public TDialogForm {
public:
    explicit TOperationPassForm(HWND owner);
    // Shows `prompt` over the edit; true when closed with OK. `password` gets what was
    // typed either way.
    bool Ask(const std::wstring& prompt, std::wstring& password);

private:
    HWND label_;
    HWND edit_;
};

// The password messages: no owner, an empty caption, the error icon, one OK button.
class TPasswordMessageBoxes final : public TPasswordMessages {
public:
    void ShowError(const std::wstring& text) override;
};

}  // namespace dovrel
