#include "UiDispatcher.h"

#include <exception>

#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

constexpr const wchar_t* kClassName = L"TDovrelDispatcher";
constexpr UINT kInvokeMessage = WM_APP + 1;

struct TInvokeRequest {
    const std::function<void()>* call;
    std::exception_ptr error;
};

}  // namespace

TUiDispatcher::TUiDispatcher(HINSTANCE instance) : threadId_(GetCurrentThreadId()) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TUiDispatcher::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(L"Cannot register the dispatcher window. " + SystemErrorText(GetLastError()));
    // A message-only window: never shown, never enumerated with the top-level windows.
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    if (window_ == nullptr)
        throw Error(L"Cannot create the dispatcher window. " + SystemErrorText(GetLastError()));
}

TUiDispatcher::~TUiDispatcher() {
    DestroyWindow(window_);
}

void TUiDispatcher::Invoke(const std::function<void()>& call) {
    if (GetCurrentThreadId() == threadId_) {
        call();
        return;
    }
    TInvokeRequest request{&call, nullptr};
    if (SendMessageW(window_, kInvokeMessage, 0, reinterpret_cast<LPARAM>(&request)) == 0)
        throw Error(L"The window thread did not take the call. " + SystemErrorText(GetLastError()));
    if (request.error)
        std::rethrow_exception(request.error);
}

void TUiDispatcher::ServeSentMessages(DWORD milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    MSG message;
    // Peeking runs the calls that other threads sent, and removes nothing posted.
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

LRESULT CALLBACK TUiDispatcher::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message != kInvokeMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    auto* request = reinterpret_cast<TInvokeRequest*>(lParam);
    // An exception must not unwind through the system's code: it travels to the caller.
    try {
        (*request->call)();
    } catch (...) {
        request->error = std::current_exception();
    }
    return 1;
}

}  // namespace dovrel
