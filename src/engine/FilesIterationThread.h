#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/RunHost.h"

namespace dovrel {

class TOperation;

// Iteration flags of a run.
inline constexpr unsigned ExpandFolders = 1;  // a folder stands for every file under it
inline constexpr unsigned WholeItems = 2;     // checked folders and drives are items themselves
inline constexpr unsigned CountOnly = 4;      // collect and count the items, process none

// What the progress display reads, with the values shown when no run exists. Times are in
// days, the fraction being the time of day.
struct TRunProgress {
    double Elapsed = 0;
    double Remaining = 0;
    std::wstring CurrentItem;
    std::int32_t CurrentIndex = 0;
    std::int64_t ItemCount = 0;
    std::int64_t BytesDone = 0;
    std::int64_t TotalBytes = 1;
    std::int64_t ItemDone = 0;
    std::int64_t ItemTotal = 1;
};

// One run: the worker thread that lists and counts the items, then applies the operation to
// each. The worker writes the counters; any thread may read them, each value whole.
class TFilesIterationThread final : private TSelectionSink {
public:
    TFilesIterationThread(std::unique_ptr<TOperation> operation, unsigned flags, TRunHost& host,
                          TSelectionWalk* selection);
    ~TFilesIterationThread() override;
    TFilesIterationThread(const TFilesIterationThread&) = delete;
    TFilesIterationThread& operator=(const TFilesIterationThread&) = delete;

    // The operation's callbacks while the run lasts.
    bool IsCancelled() const override;
    void ReportProgress(std::int64_t itemDone, std::int64_t itemTotal, std::int64_t delta,
                        double seconds);
    bool AskPassword(const std::wstring& fileName, std::string& password);

    TRunProgress Progress() const;

    // The thread body; StartRun runs it on a new thread.
    void Execute();
    // The Cancel button: closes the progress dialog and asks the worker to stop.
    void Cancel();

private:
    void PrepareItems();
    void ExpandPreselectedFolders();
    void CountBytes();
    void ProcessItems();
    void Failed(const std::wstring& message) noexcept;
    void End() noexcept;
    void AppendItem(const std::wstring& path) override;
    void AppendItem(const std::wstring& path, std::int64_t knownSize);
    void ScanFolder(const std::wstring& folder) override;
    void SetCurrentItem(std::size_t index);

    std::unique_ptr<TOperation> operation_;
    const unsigned flags_;
    TRunHost& host_;
    TSelectionWalk* const selection_;

    std::vector<std::wstring> items_;  // the worker's alone
    // Beside each item, its size when the folder walk read it already, else -1.
    std::vector<std::int64_t> knownSizes_;
    std::atomic<bool> closed_{false};
    std::atomic<bool> cancelled_{false};
    std::atomic<std::int64_t> itemCount_{0};
    std::atomic<std::int32_t> currentIndex_{0};
    std::atomic<std::int64_t> bytesDone_{0};
    std::atomic<std::int64_t> totalBytes_{1};
    std::atomic<std::int64_t> itemDone_{0};
    std::atomic<std::int64_t> itemTotal_{1};
    std::atomic<double> elapsed_{0};
    std::atomic<double> remaining_{0};
    std::chrono::steady_clock::time_point startTime_;
    mutable std::mutex currentItemMutex_;
    std::wstring currentItem_;

    // Touched only by the worker around the synchronous prompt.
    std::wstring promptFileName_;
    std::string enteredPassword_;
    bool promptAccepted_ = false;
};

// Starts a run of `operation` over the preselected items and the selection; the caller then
// shows the progress. Refused (false) while another run exists: two runs would work on the
// same files. `host` and `selection` must outlive the run.
bool StartRun(std::unique_ptr<TOperation> operation, unsigned flags, TRunHost& host,
              TSelectionWalk* selection = nullptr);
// Cancels the current run, if any.
void CancelRun();
// The current run, or none. A reader keeps the run's object alive while it holds it.
std::shared_ptr<TFilesIterationThread> RunningThread();
// The current run's progress, or the defaults when none exists.
TRunProgress ReadRunProgress();
// Blocks until no run exists and its worker has gone; for front ends without a message loop.
void WaitForRunEnd();
// Waits at most `timeout` for the current run to end (its worker may still be returning);
// true when no run exists any more. A watcher wakes at once when the run ends.
bool WaitForRunEndFor(std::chrono::milliseconds timeout);

}  // namespace dovrel
