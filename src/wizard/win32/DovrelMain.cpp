#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <exception>

#include "MainForm.h"
#include "OptionsForm.h"
#include "PasswordForms.h"
#include "ProgressForm.h"
#include "UiDispatcher.h"
#include "WizardUserInterface.h"
#include "app/StartUp.h"
#include "engine/FilesIterationThread.h"
#include "engine/UserInterface.h"
#include "platform/CommandLine.h"
#include "platform/Error.h"
#include "platform/TerminateRequest.h"
#include "platform/Text.h"

namespace {

using namespace dovrel;

int RunMessageLoop(TMainForm& mainForm, TOptionsForm& options, TProgressForm& progress) {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        if (mainForm.PreTranslateMessage(message) || options.PreTranslateMessage(message) ||
            IsDialogMessageW(progress.Handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// A run still going when the window closed is cancelled and waited for: shut-down releases
// what its worker uses. The worker may be waiting for a call into this thread meanwhile.
void StopRun() {
    CancelRun();
    while (RunningThread())
        TUiDispatcher::ServeSentMessages(50);
    WaitForRunEnd();
}

// The windows in their order of creation, the message loop and, after it, shut-down.
int RunWizard(HINSTANCE instance, int showCommand) {
    TUiDispatcher dispatcher(instance);
    TMainForm mainForm(instance);
    TChangeMainPassForm changeMainPass(mainForm.Handle());
    TOperationPassForm operationPass(mainForm.Handle());
    TOptionsForm options(mainForm.Handle());
    TProgressForm progress(mainForm.Handle());
    TMainPassForm mainPass(mainForm.Handle());
    options.RewriteIntegrateCaption();
    TPasswordMessageBoxes passwordMessages;
    options.Connect(
        {mainPass, changeMainPass, passwordMessages, [&mainForm] { mainForm.ShowHelp(); }});
    mainForm.Connect({mainPass, changeMainPass, passwordMessages, progress, dispatcher, options});
    TWizardUserInterface userInterface(dispatcher, operationPass, mainForm.Handle());
    SetUserInterface(&userInterface);
    // A switch that did all its work (registering the extension) ends the program unseen.
    if (!TerminateRequested())
        mainForm.Show(showCommand);
    const int code = RunMessageLoop(mainForm, options, progress);
    StopRun();
    SetUserInterface(nullptr);
    ShutDown();
    return code;
}

std::wstring ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return FromUtf8(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    int code = 1;
    try {
        StartUp(ProgramArguments());
        if (FAILED(OleInitialize(nullptr)))
            throw Error(L"Cannot initialise OLE.");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        code = RunWizard(instance, showCommand);
        OleUninitialize();
    } catch (...) {
        // An error during start-up ends the program with the error shown.
        MessageBoxW(nullptr, ErrorText(std::current_exception()).c_str(), kApplicationName,
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    return code;
}
