#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "hiding/HidingGuard.h"
#include "platform/Error.h"

namespace dovrel {
namespace {

TEST(HidingGuard, ShowIsRefusedWhileAHideRunHoldsTheGuard) {
    {
        std::optional<THidingGuard> run;
        std::thread worker([&] { run.emplace(THidingGuard::Acquire()); });
        worker.join();
        EXPECT_THROW(THidingGuard::AcquireNow(), Error);
        // Moving the guard keeps it held; the moved-from one lets nothing go.
        THidingGuard kept = std::move(*run);
        run.reset();
        EXPECT_THROW(THidingGuard::AcquireNow(), Error);
        EXPECT_TRUE(kept.Holds());
    }
    EXPECT_NO_THROW(THidingGuard::AcquireNow());
}

TEST(HidingGuard, HideRunWaitsForAShowToFinish) {
    std::optional<THidingGuard> show(THidingGuard::AcquireNow());
    std::atomic<bool> started{false};
    std::thread worker([&] {
        const THidingGuard run = THidingGuard::Acquire();
        started = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(started.load());
    show.reset();
    worker.join();
    EXPECT_TRUE(started.load());
}

TEST(HidingGuard, AssigningOverAHeldGuardReleasesIt) {
    THidingGuard first = THidingGuard::AcquireNow();
    THidingGuard owner = std::move(first);  // first holds nothing now
    owner = std::move(first);               // and owner gives its hold up
    EXPECT_FALSE(owner.Holds());
    EXPECT_NO_THROW(THidingGuard::AcquireNow());
}

}  // namespace
}  // namespace dovrel
