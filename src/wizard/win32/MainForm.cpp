#include "MainForm.h"

#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

namespace {

// A fixed single border with the system menu and the minimize box, no maximize box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RegisterClassOnce(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = TMainForm::kClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Error(L"Cannot register the main window. " + SystemErrorText(GetLastError()));
    }
}

}  // namespace

TMainForm::TMainForm(HINSTANCE instance) {
    RegisterClassOnce(instance, &TMainForm::WindowProc);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT desktop{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
    const int left = desktop.left + (desktop.right - desktop.left - width) / 2;
    const int top = desktop.top + (desktop.bottom - desktop.top - height) / 2;
    handle_ = CreateWindowExW(0, kClassName, L"Dovrel", kStyle, left, top, width, height, nullptr,
                              nullptr, instance, this);
    if (handle_ == nullptr)
        throw Error(L"Cannot create the main window. " + SystemErrorText(GetLastError()));
}

TMainForm::~TMainForm() {
    if (handle_ != nullptr)
        DestroyWindow(handle_);
}

void TMainForm::Show(int showCommand) {
    ShowWindow(handle_, showCommand);
    UpdateWindow(handle_);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_CLOSE:
            // The close box ends the program.
            PostQuitMessage(0);
            return 0;
        case WM_DESTROY:
            if (self != nullptr)
                self->handle_ = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace dovrel
