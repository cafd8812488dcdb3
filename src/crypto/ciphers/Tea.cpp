#include "crypto/ciphers/Tea.h"

#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// The golden-ratio constant of TEA, 2^32 / phi (Wheeler and Needham 1994).
constexpr std::uint32_t kDelta = 0x9E3779B9;
constexpr int kCycles = 32;
// kDelta * 32 mod 2^32: the sum after the last encryption cycle.
constexpr std::uint32_t kFinalSum = 0xC6EF3720;
static_assert(static_cast<std::uint32_t>(kDelta * kCycles) == kFinalSum);

// (x << 4) + (ka ^ x) + (sum ^ (x >> 5)) + kb, all modulo 2^32.
inline std::uint32_t Mix(std::uint32_t x, std::uint32_t sum, std::uint32_t ka,
                         std::uint32_t kb) noexcept {
    return (x << 4) + (ka ^ x) + (sum ^ (x >> 5)) + kb;
}

}  // namespace

void TTea::SetupKey(std::span<const std::uint8_t> key) {
    // Shorter keys are zero-extended to 16 bytes.
    std::uint8_t full[16] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        full[i] = key[i];
    for (int i = 0; i < 4; ++i)
        k_[i] = LoadBE32(full + 4 * i);
    SecureWipe(full);
}

void TTea::WipeSchedule() noexcept {
    SecureWipe(k_);
}

void TTea::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t k0 = k_[0], k1 = k_[1], k2 = k_[2], k3 = k_[3];
    std::uint32_t y = LoadBE32(in), z = LoadBE32(in + 4), sum = 0;
    for (int i = 0; i < kCycles; ++i) {
        sum += kDelta;
        y += Mix(z, sum, k0, k1);
        z += Mix(y, sum, k2, k3);
    }
    StoreBE32(out, y);
    StoreBE32(out + 4, z);
}

void TTea::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t k0 = k_[0], k1 = k_[1], k2 = k_[2], k3 = k_[3];
    std::uint32_t y = LoadBE32(in), z = LoadBE32(in + 4), sum = kFinalSum;
    for (int i = 0; i < kCycles; ++i) {
        z -= Mix(y, sum, k2, k3);
        y -= Mix(z, sum, k0, k1);
        sum -= kDelta;
    }
    StoreBE32(out, y);
    StoreBE32(out + 4, z);
}

DOVREL_CHAINED_BLOCKS_DEF(TTea)

}  // namespace dovrel
