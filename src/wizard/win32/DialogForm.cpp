#include "DialogForm.h"

#include "HandlerError.h"
#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

TDialogForm::TDialogForm(const wchar_t* className, const std::wstring& caption, int clientWidth,
                         int clientHeight, HWND owner, DWORD extraStyle)
    : owner_(owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TDialogForm::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    RegisterWindowClass(windowClass);
    const DWORD style = kStyle | extraStyle;
    const RECT frame = CentredFrame(clientWidth, clientHeight, style, kExStyle);
    window_ = CreateWindowExW(kExStyle, className, caption.c_str(), style, frame.left, frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr)
        throw Error(L"Cannot create the window " + caption + L". " +
                    SystemErrorText(GetLastError()));
}

TDialogForm::~TDialogForm() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND TDialogForm::Add(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                      const RECT& place) {
    return CreateChild(window_, className, text, WS_VISIBLE | style, id, place, font_.Handle());
}

TModalResult TDialogForm::ShowModal(HWND focus) {
    result_.reset();
    const bool ownerWasEnabled = owner_ != nullptr && IsWindowEnabled(owner_);
    if (ownerWasEnabled)
        EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(focus);
    while (!result_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            result_ = TModalResult::mrCancel;
            break;
        }
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner first, so that it is activated when this window goes.
    if (ownerWasEnabled)
        EnableWindow(owner_, TRUE);
    ShowWindow(window_, SW_HIDE);
    return *result_;
}

void TDialogForm::OnCommand(int id, int, HWND) {
    if (id == IDOK)
        EndModal(TModalResult::mrOk);
    else if (id == IDCANCEL)
        EndModal(TModalResult::mrCancel);
}

LRESULT TDialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            EndModal(TModalResult::mrCancel);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TDialogForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TDialogForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TDialogForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowHandlerError(window);
        return 0;
    }
}

}  // namespace dovrel
