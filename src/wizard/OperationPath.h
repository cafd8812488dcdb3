#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dovrel {

class TWizard;

// One page of a path: what Next and Back do there.
class TOperationStep {
public:
    explicit TOperationStep(TWizard& wizard) : wizard_(wizard) {}
    virtual ~TOperationStep() = default;
    TOperationStep(const TOperationStep&) = delete;
    TOperationStep& operator=(const TOperationStep&) = delete;

    // Leaves the step forward: shows the following page, or starts the operation.
    virtual void Next() = 0;
    virtual void Back() = 0;

protected:
    TWizard& wizard_;
};

// A wizard path: the fixed steps of one operation, from the selection of items to the start
// of the run. At most one is open, CurrentPath, which owns it.
class TOperationPath {
public:
    virtual ~TOperationPath() = default;
    TOperationPath(const TOperationPath&) = delete;
    TOperationPath& operator=(const TOperationPath&) = delete;

    // The current step's Next; the index then moves on, but never past the last step, so
    // Next on the last page runs that step again (after a cancelled run, say).
    void Next();
    // The current step's Back; on the first step the path ends.
    void Back();
    // Puts the window back on the main page and releases the path as CurrentPath. A path
    // opened from the command line that ends without a completed run empties the
    // preselected items: they were meant for this operation only.
    void End(bool runCompleted);

    std::int32_t CurrentStep() const noexcept { return currentStep_; }
    std::size_t StepCount() const noexcept { return steps_.size(); }
    // Tells runs of this path from those of a later one.
    std::uint64_t Serial() const noexcept { return serial_; }
    void SetOpenedFromCommandLine() noexcept { fromCommandLine_ = true; }

protected:
    explicit TOperationPath(TWizard& wizard);

    // What a path undoes beyond the common part when it ends.
    virtual void OnEnd() {}

    TWizard& wizard_;
    std::int32_t currentStep_ = 0;
    std::vector<std::unique_ptr<TOperationStep>> steps_;

private:
    std::uint64_t serial_;
    bool fromCommandLine_ = false;
};

// A path class as the command line knows it: its switch, and how it opens for a start
// with that switch.
class TPathClass {
public:
    virtual ~TPathClass() = default;
    virtual std::wstring GetCmdLineParameter() const = 0;
    // True when the path opened; the hide path does not when its password is refused.
    virtual bool ActivateOnCmdLine(TWizard& wizard) const = 0;
};

// The class of a path type with static GetCmdLineParameter and ActivateOnCmdLine.
template <typename Path>
const TPathClass& PathClassOf() {
    class TClassOf final : public TPathClass {
    public:
        std::wstring GetCmdLineParameter() const override { return Path::GetCmdLineParameter(); }
        bool ActivateOnCmdLine(TWizard& wizard) const override {
            return Path::ActivateOnCmdLine(wizard);
        }
    };
    static const TClassOf instance{};
    return instance;
}

// The open path, or none.
TOperationPath* CurrentPath();
// Makes `path` current, releasing the one that was.
void SetCurrentPath(std::unique_ptr<TOperationPath> path);
void ReleaseCurrentPath();

// Held around every call into a path. A path released meanwhile (it ended itself, or a run
// finished) is destroyed only when the outermost call has returned, since its own code may
// still be running.
class TPathCall {
public:
    TPathCall() noexcept;
    ~TPathCall();
    TPathCall(const TPathCall&) = delete;
    TPathCall& operator=(const TPathCall&) = delete;
};

}  // namespace dovrel
