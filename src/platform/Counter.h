#pragma once

#include <cstdint>

namespace dovrel {

// The high-resolution performance counter and its ticks per second.
std::int64_t PerformanceCounter();
std::int64_t PerformanceFrequency();

}  // namespace dovrel
