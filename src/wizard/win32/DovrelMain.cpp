#include <windows.h>

#include "MainForm.h"
#include "platform/Error.h"

namespace {

int RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        dovrel::TMainForm mainForm(instance);
        mainForm.Show(showCommand);
        return RunMessageLoop();
    } catch (const dovrel::Error& error) {
        // An error before the loop runs ends the program with the error shown.
        MessageBoxW(nullptr, error.Message().c_str(), L"Dovrel", MB_OK | MB_ICONERROR);
        return 1;
    }
}
