#include <windows.h>

#include "MainForm.h"
#include "app/StartUp.h"
#include "platform/CommandLine.h"
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
        dovrel::StartUp(dovrel::ProgramArguments());
        dovrel::TMainForm mainForm(instance);
        mainForm.Show(showCommand);
        const int code = RunMessageLoop();
        dovrel::ShutDown();
        return code;
    } catch (const dovrel::Error& error) {
        // An error during start-up ends the program with the error shown.
        MessageBoxW(nullptr, error.Message().c_str(), dovrel::kApplicationName,
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
