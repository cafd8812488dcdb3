#pragma once

#include <bit>
#include <cstdint>

#include "crypto/ciphers/CastSBoxes.h"

// The round functions f1, f2, f3 of RFC 2144 section 2.2, which RFC 2612 section 2.1
// reuses unchanged for CAST-256 (in its rounds and in its key schedule). The masking key
// km and the rotation kr (0..31) combine with the data word d; Ia is the most significant
// byte of the result I.
namespace dovrel::cast {

inline std::uint32_t F1(std::uint32_t d, std::uint32_t km, std::uint32_t kr) noexcept {
    const std::uint32_t i = std::rotl(km + d, static_cast<int>(kr));
    return ((S1[i >> 24] ^ S2[(i >> 16) & 0xFF]) - S3[(i >> 8) & 0xFF]) + S4[i & 0xFF];
}

inline std::uint32_t F2(std::uint32_t d, std::uint32_t km, std::uint32_t kr) noexcept {
    const std::uint32_t i = std::rotl(km ^ d, static_cast<int>(kr));
    return ((S1[i >> 24] - S2[(i >> 16) & 0xFF]) + S3[(i >> 8) & 0xFF]) ^ S4[i & 0xFF];
}

inline std::uint32_t F3(std::uint32_t d, std::uint32_t km, std::uint32_t kr) noexcept {
    const std::uint32_t i = std::rotl(km - d, static_cast<int>(kr));
    return ((S1[i >> 24] + S2[(i >> 16) & 0xFF]) ^ S3[(i >> 8) & 0xFF]) - S4[i & 0xFF];
}

}  // namespace dovrel::cast
