#include "platform/FaultInjection.h"

#include <atomic>

namespace dovrel {

namespace {

TFaultPlan plan;
// Read on every file operation: a plain flag keeps the seam free when no test uses it.
std::atomic<bool> planSet{false};

}  // namespace

void SetFaultPlan(TFaultPlan newPlan) {
    plan = std::move(newPlan);
    planSet.store(static_cast<bool>(plan), std::memory_order_release);
}

unsigned InjectedFault(TFileOperation operation, const std::wstring& path) {
    if (!planSet.load(std::memory_order_acquire))
        return 0;
    return plan(operation, path);
}

}  // namespace dovrel
