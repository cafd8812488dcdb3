#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Counter.h"

namespace dovrel {
namespace {

TEST(Counter, CountsForwardAtItsFrequency) {
    const std::int64_t frequency = PerformanceFrequency();
    ASSERT_GT(frequency, 1000);
    const std::int64_t before = PerformanceCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double seconds =
        static_cast<double>(PerformanceCounter() - before) / static_cast<double>(frequency);
    EXPECT_GE(seconds, 0.015);
    EXPECT_LT(seconds, 5.0);
}

}  // namespace
}  // namespace dovrel
