#include "engine/FilesIterationThread.h"

#include <cmath>
#include <condition_variable>
#include <thread>

#include "app/CmdLineActivate.h"
#include "app/Logger.h"
#include "engine/Operations.h"
#include "engine/UserInterface.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Text.h"

namespace dovrel {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// A chunk that moved no bytes still gives a rate, so the estimate stays defined.
constexpr double kSmallestRate = 0.000001;

// The one run of the process and the worker that carries it.
struct TRunSlot {
    std::mutex mutex;
    std::condition_variable ended;
    std::shared_ptr<TFilesIterationThread> running;
    std::thread worker;

    ~TRunSlot() {
        if (worker.joinable())
            worker.join();
    }
};

TRunSlot& Slot() {
    static TRunSlot slot;
    return slot;
}

bool IsExistingFolder(const std::wstring& path) {
    const auto data = GetAttributeData(path);
    return data && data->IsFolder();
}

std::int64_t SizeOf(const std::wstring& path) {
    const auto data = GetAttributeData(path);
    return data && !data->IsFolder() ? data->size : 0;
}

std::wstring WithTrailingDelimiter(std::wstring path) {
    if (path.empty() || (path.back() != kPathDelim && path.back() != L'/'))
        path += kPathDelim;
    return path;
}

// Only the worker may clear the slot, and only for its own run.
void ReleaseSlot(const TFilesIterationThread* run) {
    TRunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (slot.running.get() == run)
        slot.running.reset();
    slot.ended.notify_all();
}

}  // namespace

TFilesIterationThread::TFilesIterationThread(std::unique_ptr<TOperation> operation, unsigned flags,
                                             TRunHost& host, TSelectionWalk* selection)
    : operation_(std::move(operation)), flags_(flags), host_(host), selection_(selection) {
    operation_->Events.OnCheckCancel = [this] { return IsCancelled(); };
    operation_->Events.OnProgress = [this](std::int64_t done, std::int64_t total,
                                           std::int64_t delta, double seconds) {
        ReportProgress(done, total, delta, seconds);
    };
    operation_->Events.OnAskPassword = [this](const std::wstring& fileName, std::string& password) {
        return AskPassword(fileName, password);
    };
}

TFilesIterationThread::~TFilesIterationThread() = default;

bool TFilesIterationThread::IsCancelled() const {
    return cancelled_.load();
}

void TFilesIterationThread::Cancel() {
    if (!closed_.exchange(true))
        host_.CloseProgress();
    cancelled_ = true;
}

void TFilesIterationThread::Execute() {
    try {
        PrepareItems();
        startTime_ = std::chrono::steady_clock::now();
        ProcessItems();
    } catch (const Error& e) {
        Failed(e.Message());
    } catch (const std::exception& e) {
        Failed(FromUtf8(e.what()));
    } catch (...) {
        Failed(L"Unknown error");
    }
    End();
}

void TFilesIterationThread::PrepareItems() {
    for (const std::wstring& item : PreselectedItems())
        AppendItem(item);
    if ((flags_ & ExpandFolders) != 0 && (flags_ & WholeItems) == 0)
        ExpandPreselectedFolders();
    if (selection_ != nullptr)
        selection_->CollectSelection(*this, flags_);
    CountBytes();
}

// From the last entry to the first, so the files found in the folders follow the plain
// files, those of the last folder first.
void TFilesIterationThread::ExpandPreselectedFolders() {
    for (std::size_t i = items_.size(); i-- > 0;) {
        if (!IsExistingFolder(items_[i]))
            continue;
        const std::wstring folder = items_[i];
        ScanFolder(folder);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        knownSizes_.erase(knownSizes_.begin() + static_cast<std::ptrdiff_t>(i));
        itemCount_ = static_cast<std::int64_t>(items_.size());
    }
}

void TFilesIterationThread::CountBytes() {
    std::int64_t total = 1;
    for (std::size_t i = 0; i < items_.size(); ++i)
        total += knownSizes_[i] >= 0 ? knownSizes_[i] : SizeOf(items_[i]);
    totalBytes_ = total;
}

void TFilesIterationThread::ProcessItems() {
    const std::size_t processed = (flags_ & CountOnly) != 0 ? 0 : items_.size();
    for (std::size_t i = 0; i < processed; ++i) {
        if (IsCancelled())
            return;
        SetCurrentItem(i);
        operation_->ProcessItem(items_[i]);
    }
    // A cancel that stopped the last item must not be reported as a finished run.
    if (IsCancelled())
        return;
    // Once the last item is done a cancel no longer stops the finish.
    const auto count = static_cast<std::int64_t>(items_.size());
    host_.Invoke([&] { host_.Finish(*operation_, count); });
}

void TFilesIterationThread::SetCurrentItem(std::size_t index) {
    {
        std::lock_guard lock(currentItemMutex_);
        currentItem_ = items_[index];
    }
    currentIndex_ = static_cast<std::int32_t>(index + 1);
}

void TFilesIterationThread::Failed(const std::wstring& message) noexcept {
    try {
        std::wstring item;
        if (currentIndex_ > 0) {
            std::lock_guard lock(currentItemMutex_);
            item = currentItem_;
        }
        LogMessage(item.empty() ? message : item + L": " + message, L"TFilesIterationThread");
        host_.Invoke([&] { host_.RunFailed(item, message); });
    } catch (...) {
        // Nothing is left to tell; the run ends all the same.
    }
}

void TFilesIterationThread::End() noexcept {
    try {
        host_.Invoke([this] {
            if (!closed_.exchange(true))
                host_.CloseProgress();
        });
    } catch (...) {
        // The run must still let go of its slot, or no run could start again.
    }
    items_.clear();
    knownSizes_.clear();
    operation_.reset();
    ReleaseSlot(this);
}

void TFilesIterationThread::AppendItem(const std::wstring& path) {
    AppendItem(path, -1);
}

void TFilesIterationThread::AppendItem(const std::wstring& path, std::int64_t knownSize) {
    items_.push_back(path);
    knownSizes_.push_back(knownSize);
    itemCount_ = static_cast<std::int64_t>(items_.size());
}

// Depth first, in the order the file system lists the entries. Links to folders are neither
// followed nor listed: a link back up the tree would never end.
void TFilesIterationThread::ScanFolder(const std::wstring& folder) {
    if (IsCancelled())
        return;
    const std::wstring path = WithTrailingDelimiter(folder);
    EnumerateFolder(path, [&](const TFindEntry& entry) {
        // The listing carries the size: counting needs no second look at the file.
        if (!entry.data.IsFolder())
            AppendItem(path + entry.name, entry.data.size);
        else if ((entry.data.attributes & attr::kReparsePoint) == 0)
            ScanFolder(path + entry.name + kPathDelim);
        return !IsCancelled();
    });
}

void TFilesIterationThread::ReportProgress(std::int64_t itemDone, std::int64_t itemTotal,
                                           std::int64_t delta, double seconds) {
    const std::int64_t done = bytesDone_.fetch_add(delta) + delta;
    itemDone_ = itemDone;
    itemTotal_ = itemTotal;
    // A chunk measured as taking no time has no rate; the previous estimate stands.
    if (seconds > 0) {
        double rate = static_cast<double>(delta) / seconds;
        if (rate == 0)
            rate = kSmallestRate;
        const double left = static_cast<double>(totalBytes_.load() - done);
        const double estimate = std::nearbyint(left / rate);  // ties to even
        remaining_ = (estimate > 0 ? estimate : 0) / kSecondsPerDay;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - startTime_;
    elapsed_ = elapsed.count() / kSecondsPerDay;
}

bool TFilesIterationThread::AskPassword(const std::wstring& fileName, std::string& password) {
    promptFileName_ = ExtractFileName(fileName);
    std::wstring typed;
    promptAccepted_ = UserInterface().AskPassword(promptFileName_, typed);
    enteredPassword_ = ToAnsi(typed);
    if (promptAccepted_) {
        password = enteredPassword_;
        // The following files of a decrypt run start with the password that was given.
        if (auto* decrypt = dynamic_cast<TDecrypt*>(operation_.get()))
            decrypt->Password = enteredPassword_;
    }
    return promptAccepted_;
}

TRunProgress TFilesIterationThread::Progress() const {
    TRunProgress p;
    p.Elapsed = elapsed_;
    p.Remaining = remaining_;
    {
        std::lock_guard lock(currentItemMutex_);
        p.CurrentItem = currentItem_;
    }
    p.CurrentIndex = currentIndex_;
    p.ItemCount = itemCount_;
    p.BytesDone = bytesDone_;
    const std::int64_t total = totalBytes_;
    p.TotalBytes = total > 0 ? total : 1;
    p.ItemDone = itemDone_;
    p.ItemTotal = itemTotal_;
    return p;
}

bool StartRun(std::unique_ptr<TOperation> operation, unsigned flags, TRunHost& host,
              TSelectionWalk* selection) {
    TRunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (slot.running)
        return false;
    // The worker of the previous run has let go of the slot; it only has to return.
    if (slot.worker.joinable())
        slot.worker.join();
    auto run =
        std::make_shared<TFilesIterationThread>(std::move(operation), flags, host, selection);
    slot.running = run;
    slot.worker = std::thread([run] { run->Execute(); });
    return true;
}

void CancelRun() {
    if (const auto run = RunningThread())
        run->Cancel();
}

std::shared_ptr<TFilesIterationThread> RunningThread() {
    TRunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    return slot.running;
}

TRunProgress ReadRunProgress() {
    const auto run = RunningThread();
    return run ? run->Progress() : TRunProgress{};
}

void WaitForRunEnd() {
    TRunSlot& slot = Slot();
    std::thread worker;
    {
        std::unique_lock lock(slot.mutex);
        slot.ended.wait(lock, [&] { return !slot.running; });
        worker = std::move(slot.worker);
    }
    if (worker.joinable())
        worker.join();
}

bool WaitForRunEndFor(std::chrono::milliseconds timeout) {
    TRunSlot& slot = Slot();
    std::unique_lock lock(slot.mutex);
    return slot.ended.wait_for(lock, timeout, [&] { return !slot.running; });
}

}  // namespace dovrel
