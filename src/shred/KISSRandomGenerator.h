#pragma once

#include <cstddef>
#include <cstdint>

namespace dovrel {

// The KISS generator: a 32-bit congruential part, a three-shift xorshift part and a
// multiply-with-carry part with multiplier 698769069. A default state holds the published
// seeds.
struct TKissState {
    std::uint32_t x = 123456789;
    std::uint32_t y = 362436000;
    std::uint32_t z = 521288629;
    std::uint32_t c = 7654321;

    std::uint32_t Next() noexcept {
        x = 69069u * x + 12345u;
        y ^= y << 13;
        y ^= y >> 17;
        y ^= y << 5;
        const std::uint64_t t = 698769069ull * z + c;
        z = static_cast<std::uint32_t>(t);
        c = static_cast<std::uint32_t>(t >> 32);
        return x + y + z;
    }

    friend bool operator==(const TKissState&, const TKissState&) = default;
};

// The process-wide random source. It starts at the seeds and is never reseeded, so every
// start of the program draws the same sequence. Unsynchronised: only the worker thread of
// the one run at a time draws from it.
std::uint32_t KissNext();
// KissNext() mod n; n must not be 0.
std::uint32_t RandomBelow(std::uint32_t n);
// Fills `bytes` with RandomBelow(n), one draw per byte in order; n is 1 to 255.
void FillRandomBelow(std::uint8_t* bytes, std::size_t count, std::uint8_t n);

// A copy of the process-wide state, so that a caller can foresee the next draws.
TKissState KissStateNow();

}  // namespace dovrel
