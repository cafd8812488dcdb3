#pragma once

#include <optional>
#include <string>

#include "hiding/MainPassword.h"

namespace dovrel::cli {

// The main-password dialogs of the wizard, as the command line has them: the text comes
// from a file given with --main-password-file (offered once, so a wrong one ends the
// attempts) or is typed at the terminal without echo. Messages go to standard error.
class TMainPassPrompt final : public TMainPassDialog,
                              public TNewPassDialog,
                              public TPasswordMessages {
public:
    // `fromFile`: the password read from the file, or nothing to ask at the terminal.
    explicit TMainPassPrompt(std::optional<std::wstring> fromFile)
        : fromFile_(std::move(fromFile)) {}

    TModalResult ShowModal() override;
    std::wstring Password() const override { return typed_; }
    TModalResult ShowModal(const TNewPassHandler& onOk) override;
    void ShowError(const std::wstring& text) override;

private:
    // One entry, or nothing when the user gave up (end of input, Ctrl-C, file used up).
    std::optional<std::wstring> Entry(const std::wstring& prompt);

    std::optional<std::wstring> fromFile_;
    bool fileUsed_ = false;
    std::wstring typed_;
};

// The content of a main-password file: its text in the ANSI code page without one line
// end at its end, since the password is typed into a one-line edit in the wizard.
std::wstring ReadMainPasswordFile(const std::wstring& path);

}  // namespace dovrel::cli
