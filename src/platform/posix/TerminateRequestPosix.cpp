#include <atomic>

#include "platform/TerminateRequest.h"

namespace dovrel {

namespace {

std::atomic<bool> requested{false};

}  // namespace

// No message loop here: whoever runs the program's loop asks TerminateRequested.
void RequestTerminate() {
    requested = true;
}

bool TerminateRequested() {
    return requested;
}

}  // namespace dovrel
