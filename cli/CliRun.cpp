#include "CliRun.h"

#include <algorithm>
#include <chrono>
#include <mutex>

#include "ProgressLine.h"
#include "Terminal.h"
#include "app/CmdLineActivate.h"
#include "engine/FilesIterationThread.h"
#include "engine/UserInterface.h"

namespace dovrel::cli {

namespace {

constexpr std::size_t kLineWidth = 79;

// The command line has no UI thread to hand calls to: they run on the worker, one at a
// time, and only note what happened for the main thread to act on afterwards.
class TCliHost final : public TRunHost {
public:
    void Invoke(const std::function<void()>& call) override {
        std::lock_guard lock(mutex_);
        call();
    }
    void Finish(const TOperation& operation, std::int64_t itemCount) override {
        summary = SummarySentence(operation, itemCount);
        items = itemCount;
        // The progress total is one more than the bytes, so that it is never zero.
        if (const auto run = RunningThread())
            bytes = std::max<std::int64_t>(run->Progress().TotalBytes - 1, 0);
        finished = true;
    }
    void RunFailed(const std::wstring& item, const std::wstring& message) override {
        failure = item.empty() ? message : item + L": " + message;
    }
    void CloseProgress() override {}

    bool finished = false;
    std::wstring summary;
    std::int64_t items = 0;
    std::int64_t bytes = 0;
    std::wstring failure;

private:
    std::mutex mutex_;
};

void WatchRun(TStatusLine& status) {
    bool cancelled = false;
    // The wait ends early when the run does, so a short run costs no polling delay.
    while (!WaitForRunEndFor(std::chrono::milliseconds(100))) {
        if (InterruptRequested() && !cancelled) {
            CancelRun();
            cancelled = true;
        }
        status.Show(FormatProgressLine(ReadRunProgress(), kLineWidth));
    }
    WaitForRunEnd();
    status.Clear();
}

}  // namespace

TRunFrontEnd::TRunFrontEnd(const TCliOptions& options)
    : status(StderrIsTerminal() && !options.quiet),
      ui(status, StdinIsTerminal() && !options.passwordStdin) {
    SetUserInterface(&ui);
}

TRunFrontEnd::~TRunFrontEnd() {
    SetUserInterface(nullptr);
}

int RunOperation(std::unique_ptr<TOperation> operation, const std::vector<std::wstring>& paths,
                 TStatusLine& status, const TTerminalUi& ui, unsigned flags) {
    PreselectedItems() = paths;
    TCliHost host;
    if (!StartRun(std::move(operation), flags, host)) {
        status.Message(L"another run is in progress");
        return kExitError;
    }
    WatchRun(status);
    PreselectedItems().clear();
    // Joined worker: what the host noted is now visible here.
    if (!host.failure.empty()) {
        status.Message(host.failure);
        return kExitError;
    }
    if (!host.finished) {
        status.Message(L"cancelled");
        return kExitInterrupted;
    }
    if ((flags & CountOnly) != 0)
        WriteOut(std::to_wstring(host.items) + (host.items == 1 ? L" file, " : L" files, ") +
                 std::to_wstring(host.bytes) + L" bytes\n");
    else
        WriteOut(host.summary + L"\n");
    return ui.Skipped() > 0 ? kExitSkipped : kExitOk;
}

}  // namespace dovrel::cli
