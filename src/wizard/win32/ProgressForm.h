#pragma once

#include "DialogForm.h"

namespace dovrel {

// The progress of a run, shown without being modal while the run works. It reads the
// run's counters ten times a second and mirrors the overall percentage into the main
// window's caption; Cancel (or Escape) cancels the run, the close box only hides it.
class TProgressForm final : public TDialogForm {
public:
    explicit TProgressForm(HWND mainWindow);

    void Show();
    // Hides the dialog and gives the main window back its caption.
    void Close();

private:
    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Tick();

    HWND fileName_;
    HWND currentBar_;
    HWND filesPercent_;
    HWND elapsed_;
    HWND estimated_;
    HWND allBar_;
};

}  // namespace dovrel
