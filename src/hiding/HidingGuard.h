#pragma once

namespace dovrel {

// The hidden-items store and "NoDrives" have no lock of their own, and a hide run works on
// its worker thread while a show works on the window thread. Whoever changes them holds
// the one guard of the process: a hide run from its first item to its end, a show for its
// items. The hide and show routines ask for it, so no caller can forget it.
//
// The guard is not tied to a thread: a run may take it where it starts and let it go
// where it ends.
class THidingGuard {
public:
    // Waits until nobody else holds the guard. For the worker of a hide run.
    static THidingGuard Acquire();
    // Raises at once when the guard is held. For the window thread, which must never wait:
    // a hide run may itself be waiting for the window thread (a broadcast, a message).
    static THidingGuard AcquireNow();

    THidingGuard(THidingGuard&& other) noexcept;
    THidingGuard& operator=(THidingGuard&& other) noexcept;
    THidingGuard(const THidingGuard&) = delete;
    THidingGuard& operator=(const THidingGuard&) = delete;
    ~THidingGuard();

    // False once the guard was moved away.
    bool Holds() const noexcept { return owns_; }

private:
    THidingGuard() = default;
    void Release() noexcept;

    bool owns_ = true;
};

}  // namespace dovrel
