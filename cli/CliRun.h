#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CliArguments.h"
#include "StatusLine.h"
#include "TerminalUi.h"
#include "engine/Operations.h"

namespace dovrel::cli {

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitSkipped = 3;
inline constexpr int kExitInterrupted = 130;

// The front end a run's operation reaches through UserInterface() while it exists: a
// progress line on a terminal unless --quiet, prompts where a terminal can answer them.
class TRunFrontEnd {
public:
    explicit TRunFrontEnd(const TCliOptions& options);
    ~TRunFrontEnd();
    TRunFrontEnd(const TRunFrontEnd&) = delete;
    TRunFrontEnd& operator=(const TRunFrontEnd&) = delete;

    TStatusLine status;
    TTerminalUi ui;
};

// One run of `operation` over `paths` with the iteration `flags` (folders expanded), on the same
// thread the wizard uses; the main thread shows the progress about ten times a second and turns
// Ctrl-C into a cancel. Prints the summary sentence when the run finished.
int RunOperation(std::unique_ptr<TOperation> operation, const std::vector<std::wstring>& paths,
                 TStatusLine& status, const TTerminalUi& ui, unsigned flags);

}  // namespace dovrel::cli
