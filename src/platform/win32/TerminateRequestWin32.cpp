#include <windows.h>

#include <atomic>

#include "platform/TerminateRequest.h"

namespace dovrel {

namespace {

std::atomic<bool> requested{false};

}  // namespace

void RequestTerminate() {
    requested = true;
    PostQuitMessage(0);
}

bool TerminateRequested() {
    return requested;
}

}  // namespace dovrel
