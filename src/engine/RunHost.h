#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dovrel {

class TOperation;

// How a run reaches the selection while it prepares its items.
class TSelectionSink {
public:
    virtual ~TSelectionSink() = default;

    virtual bool IsCancelled() const = 0;
    // Appends one item as it stands (a file, or with WholeItems a folder or a drive).
    virtual void AppendItem(const std::wstring& path) = 0;
    // Appends every file under `folder`, depth first, in the order the file system lists them.
    virtual void ScanFolder(const std::wstring& folder) = 0;
};

// The walk over what the user checked in the selection tree. It runs on the worker thread,
// so it reads the tree through a synchronous call or from a snapshot taken on the UI thread.
class TSelectionWalk {
public:
    virtual ~TSelectionWalk() = default;

    virtual void CollectSelection(TSelectionSink& sink, unsigned flags) = 0;
};

// What a run needs from the front end that started it. Invoke is the only way the worker
// reaches the UI thread; the other calls are made inside it.
class TRunHost {
public:
    virtual ~TRunHost() = default;

    // Runs `call` on the UI thread and returns once it has run.
    virtual void Invoke(const std::function<void()>& call) = 0;

    // The run processed its last item.
    virtual void Finish(const TOperation& operation, std::int64_t itemCount) = 0;
    // An error ended the run; `item` is the item being processed, empty while preparing.
    virtual void RunFailed(const std::wstring& item, const std::wstring& message) = 0;
    // The progress dialog of the run goes away; called once per run at most.
    virtual void CloseProgress() = 0;
};

}  // namespace dovrel
