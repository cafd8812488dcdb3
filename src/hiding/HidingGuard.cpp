#include "hiding/HidingGuard.h"

#include <condition_variable>
#include <mutex>

#include "platform/Error.h"

namespace dovrel {

namespace {

struct TGuardState {
    std::mutex lock;
    std::condition_variable released;
    bool held = false;
};

TGuardState& State() {
    static TGuardState state;
    return state;
}

}  // namespace

THidingGuard THidingGuard::Acquire() {
    TGuardState& state = State();
    std::unique_lock lock(state.lock);
    state.released.wait(lock, [&] { return !state.held; });
    state.held = true;
    return THidingGuard();
}

THidingGuard THidingGuard::AcquireNow() {
    TGuardState& state = State();
    const std::lock_guard lock(state.lock);
    if (state.held) {
        throw Error(
            L"Hidden items cannot be shown or hidden while a hide operation is still running");
    }
    state.held = true;
    return THidingGuard();
}

THidingGuard::THidingGuard(THidingGuard&& other) noexcept : owns_(other.owns_) {
    other.owns_ = false;
}

THidingGuard& THidingGuard::operator=(THidingGuard&& other) noexcept {
    if (this != &other) {
        Release();
        owns_ = other.owns_;
        other.owns_ = false;
    }
    return *this;
}

THidingGuard::~THidingGuard() {
    Release();
}

void THidingGuard::Release() noexcept {
    if (!owns_)
        return;
    owns_ = false;
    TGuardState& state = State();
    {
        const std::lock_guard lock(state.lock);
        state.held = false;
    }
    state.released.notify_all();
}

}  // namespace dovrel
