#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Controls.h"
#include "hiding/MainPassword.h"

namespace dovrel {

// A fixed-size dialog window, centred on the desktop, in Tahoma 8 pt. It is made once and
// shown as often as needed; Tab, Enter (IDOK) and Escape (IDCANCEL) work as in dialogs.
class TDialogForm {
public:
    virtual ~TDialogForm();
    TDialogForm(const TDialogForm&) = delete;
    TDialogForm& operator=(const TDialogForm&) = delete;

    HWND Handle() const noexcept { return window_; }

protected:
    // `extraStyle` adds to the fixed dialog frame, for example a minimize button.
    TDialogForm(const wchar_t* className, const std::wstring& caption, int clientWidth,
                int clientHeight, HWND owner, DWORD extraStyle = 0);

    // Shows the window modally: the owner is disabled until the window closes. A quit
    // request met meanwhile closes it with mrCancel and stays pending for the main loop.
    TModalResult ShowModal(HWND focus);
    void EndModal(TModalResult result) noexcept { result_ = result; }

    // IDOK closes with mrOk, IDCANCEL with mrCancel.
    virtual void OnCommand(int id, int code, HWND control);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Add(const wchar_t* className, const std::wstring& text, DWORD style, int id,
             const RECT& place);

    HWND owner_;
    TFont font_{L"Tahoma", 8};

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::optional<TModalResult> result_;
};

}  // namespace dovrel
