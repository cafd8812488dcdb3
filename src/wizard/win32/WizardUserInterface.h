#pragma once

#include <windows.h>

#include "engine/UserInterface.h"

namespace dovrel {

class TOperationPassForm;
class TUiDispatcher;

// What a run asks of the user, shown on the window thread while the run's worker waits:
// a message, or the password of one encrypted file.
class TWizardUserInterface final : public TUserInterface {
public:
    TWizardUserInterface(TUiDispatcher& dispatcher, TOperationPassForm& passwordForm,
                         HWND mainWindow)
        : dispatcher_(dispatcher), passwordForm_(passwordForm), mainWindow_(mainWindow) {}

    void ShowMessage(const std::wstring& text) override;
    bool AskPassword(const std::wstring& fileName, std::wstring& password) override;

private:
    TUiDispatcher& dispatcher_;
    TOperationPassForm& passwordForm_;
    HWND mainWindow_;
};

}  // namespace dovrel
