#include "crypto/CpuFeatures.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace dovrel {

namespace {

std::atomic<bool> portableOnly{false};

bool AskCpuForAesNi() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return false;
    return (ecx & bit_AES) != 0 && (ecx & bit_SSE4_1) != 0;
#else
    return false;
#endif
}

}  // namespace

bool CpuHasAesNi() noexcept {
    static const bool has = AskCpuForAesNi();
    return has;
}

void SetPortableCiphersOnly(bool on) noexcept {
    portableOnly.store(on, std::memory_order_relaxed);
}

bool PortableCiphersOnly() noexcept {
    return portableOnly.load(std::memory_order_relaxed);
}

}  // namespace dovrel
