#pragma once

#include <windows.h>

namespace dovrel {

// The program's one main window. Closing it ends the message loop.
class TMainForm {
public:
    static constexpr const wchar_t* kClassName = L"TMainForm";
    static constexpr int kClientWidth = 698;
    static constexpr int kClientHeight = 475;

    // Creates the window hidden; Raises an Error with the system's reason on failure.
    explicit TMainForm(HINSTANCE instance);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    void Show(int showCommand);
    HWND Handle() const noexcept { return handle_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

}  // namespace dovrel
