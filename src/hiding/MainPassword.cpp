#include "hiding/MainPassword.h"

#include "app/LangManager.h"

namespace dovrel {

namespace {

// Whether `typed` is the main password; the first one typed sets it.
bool Matches(THiddenConfig& store, const std::wstring& typed) {
    if (store.Password.empty()) {
        store.Password = typed;
        return true;
    }
    return typed == store.Password;
}

}  // namespace

bool CheckMainPassword(THiddenConfig& store, TMainPassDialog& dialog, TPasswordMessages& messages) {
    // As many attempts as the user likes, without delay: the password guards against
    // casual use of the hiding features, not against an attacker who can read "base.dat".
    for (;;) {
        switch (dialog.ShowModal()) {
            case TModalResult::mrCancel:
                return false;
            case TModalResult::mrOk:
                if (Matches(store, dialog.Password()))
                    return true;
                messages.ShowError(LookupMessage(L"Wrong_password"));
                break;
            case TModalResult::mrOther:
                break;
        }
    }
}

bool AcceptNewPassword(THiddenConfig& store, const std::wstring& password,
                       const std::wstring& again, TPasswordMessages& messages) {
    if (password != again) {
        messages.ShowError(LookupMessage(L"Second_pass_not_equal_first"));
        return false;
    }
    store.Password = again;
    return true;
}

bool ChangeMainPassword(THiddenConfig& store, TNewPassDialog& dialog, TPasswordMessages& messages) {
    bool accepted = false;
    const TModalResult result =
        dialog.ShowModal([&](const std::wstring& password, const std::wstring& again) {
            accepted = AcceptNewPassword(store, password, again, messages);
            return accepted;
        });
    // Only an OK that the texts passed counts: a dialog closed otherwise set nothing.
    return result == TModalResult::mrOk && accepted;
}

}  // namespace dovrel
