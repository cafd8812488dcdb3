#pragma once

namespace dovrel {

// The AES instructions (with SSE4.1) of x86 processors, asked of the processor once.
bool CpuHasAesNi() noexcept;

// Switches every processor-specific cipher path off, so the portable code runs instead;
// the tests compare the two this way. Off by default.
void SetPortableCiphersOnly(bool portableOnly) noexcept;
bool PortableCiphersOnly() noexcept;

inline bool UseAesNi() noexcept {
    return !PortableCiphersOnly() && CpuHasAesNi();
}

}  // namespace dovrel
