#include "TerminalUi.h"

#include "Terminal.h"
#include "app/LangManager.h"
#include "app/MessageFormat.h"

namespace dovrel::cli {

void TTerminalUi::ShowMessage(const std::wstring& text) {
    ++skipped_;
    status_.Message(text + L"; skipped");
}

bool TTerminalUi::AskPassword(const std::wstring& fileName, std::wstring& password) {
    if (canPrompt_) {
        const auto typed = status_.WithPrompt([&] {
            return ReadHiddenLine(FormatMessageText(LookupMessage(L"Enter_valid_pass"), fileName) +
                                  L" (empty to skip): ");
        });
        if (typed && !typed->empty() && !InterruptRequested()) {
            password = *typed;
            return true;
        }
    }
    ++skipped_;
    status_.Message(L"wrong password for " + fileName + L"; skipped");
    return false;
}

}  // namespace dovrel::cli
