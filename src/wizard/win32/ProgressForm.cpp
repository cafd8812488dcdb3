#include "ProgressForm.h"

#include <commctrl.h>

#include "app/StartUp.h"
#include "engine/FilesIterationThread.h"
#include "platform/LocalTime.h"
#include "wizard/ProgressTexts.h"

namespace dovrel {

namespace {

constexpr UINT_PTR kTimer = 1;
constexpr UINT kTickMilliseconds = 100;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP;

}  // namespace

TProgressForm::TProgressForm(HWND mainWindow)
    : TDialogForm(L"TProgressForm", L"18% completed", 348, 241, mainWindow) {
    Add(L"STATIC", L"File name:", kLabel, -1, Place(8 + 16, 8 + 16, 60, 13));
    // Fixed size: a long path is cut at the label's edge.
    fileName_ = Add(L"STATIC", L"", kLabel | SS_PATHELLIPSIS, -1, Place(8 + 80, 8 + 16, 230, 13));
    Add(L"STATIC", L"Files:", kLabel, -1, Place(9 + 15, 84 + 17, 130, 13));
    filesPercent_ = Add(L"STATIC", L"", kLabel, -1, Place(9 + 157, 84 + 17, 160, 13));
    Add(L"STATIC", L"Elapsed time:", kLabel, -1, Place(9 + 15, 84 + 43, 130, 13));
    elapsed_ = Add(L"STATIC", L"", kLabel, -1, Place(9 + 156, 84 + 43, 160, 13));
    Add(L"STATIC", L"Estimated time:", kLabel, -1, Place(9 + 15, 84 + 59, 130, 13));
    estimated_ = Add(L"STATIC", L"", kLabel, -1, Place(9 + 156, 84 + 59, 160, 13));
    // The bars lie over their group boxes.
    currentBar_ = Add(PROGRESS_CLASSW, L"", 0, -1, Place(24, 50, 294, 16));
    allBar_ = Add(PROGRESS_CLASSW, L"", 0, -1, Place(24, 169, 294, 17));
    Add(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, Place(126, 209, 75, 25));
    // Made last, so the boxes lie under the labels and bars they frame.
    Add(L"BUTTON", L"Current file", BS_GROUPBOX, -1, Place(8, 8, 329, 72));
    Add(L"BUTTON", L"All files", BS_GROUPBOX, -1, Place(9, 84, 329, 119));
}

void TProgressForm::Show() {
    SetTimer(Handle(), kTimer, kTickMilliseconds, nullptr);
    Tick();
    ShowWindow(Handle(), SW_SHOW);
}

void TProgressForm::Close() {
    KillTimer(Handle(), kTimer);
    ShowWindow(Handle(), SW_HIDE);
    SetWindowTextW(owner_, kApplicationName);
}

void TProgressForm::Tick() {
    const TProgressTexts texts = ProgressTick(ReadRunProgress(), LocaleTimeSeparator());
    SetTextIfChanged(elapsed_, texts.ElapsedTime);
    SetTextIfChanged(estimated_, texts.EstimatedTime);
    SendMessageW(currentBar_, PBM_SETPOS, texts.CurrentFilePosition, 0);
    SendMessageW(allBar_, PBM_SETPOS, texts.AllFilesPosition, 0);
    SetTextIfChanged(Handle(), texts.Caption);
    // The main window's caption is the taskbar button's text too.
    SetTextIfChanged(owner_, texts.MainCaption);
    SetTextIfChanged(fileName_, texts.FileName);
    SetTextIfChanged(filesPercent_, texts.FilesPercent);
}

void TProgressForm::OnCommand(int id, int, HWND) {
    // The run's cancel closes this dialog through the run's end of progress.
    if (id == IDCANCEL) {
        CancelRun();
        Close();
    }
}

LRESULT TProgressForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            // A tick already queued when the dialog was hidden must not put the percentage
            // back into the main window's caption.
            if (wParam == kTimer && IsWindowVisible(Handle()))
                Tick();
            return 0;
        case WM_CLOSE:
            // The close box hides the dialog; the run goes on and its end finds it hidden.
            Close();
            return 0;
        default:
            return TDialogForm::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace dovrel
