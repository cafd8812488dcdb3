#include "WizardUserInterface.h"

#include "PasswordForms.h"
#include "UiDispatcher.h"
#include "app/LangManager.h"
#include "app/MessageFormat.h"
#include "app/StartUp.h"

namespace dovrel {

void TWizardUserInterface::ShowMessage(const std::wstring& text) {
    dispatcher_.Invoke([&] { MessageBoxW(mainWindow_, text.c_str(), kApplicationName, MB_OK); });
}

bool TWizardUserInterface::AskPassword(const std::wstring& fileName, std::wstring& password) {
    bool accepted = false;
    dispatcher_.Invoke([&] {
        const std::wstring prompt = FormatMessageText(LookupMessage(L"Enter_valid_pass"), fileName);
        accepted = passwordForm_.Ask(prompt, password);
    });
    return accepted;
}

}  // namespace dovrel
