#pragma once

#include <atomic>

#include "StatusLine.h"
#include "engine/UserInterface.h"

namespace dovrel::cli {

// The run's messages and password prompts on the terminal. Every message a run shows tells
// of a file it left alone, and so does a password the user did not give.
class TTerminalUi final : public TUserInterface {
public:
    // `canPrompt`: standard input is a terminal that no password was read from.
    TTerminalUi(TStatusLine& status, bool canPrompt) : status_(status), canPrompt_(canPrompt) {}

    void ShowMessage(const std::wstring& text) override;
    // Asks again on a terminal (an empty line gives up); elsewhere the file is skipped.
    bool AskPassword(const std::wstring& fileName, std::wstring& password) override;

    int Skipped() const { return skipped_; }

private:
    TStatusLine& status_;
    const bool canPrompt_;
    std::atomic<int> skipped_{0};
};

}  // namespace dovrel::cli
