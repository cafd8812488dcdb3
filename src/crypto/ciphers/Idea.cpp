#include "crypto/ciphers/Idea.h"

#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// Multiplication modulo 2^16 + 1, the word 0 standing for 2^16. For a, b nonzero,
// ab mod (2^16 + 1) = lo - hi (+ 2^16 + 1 if negative), where ab = hi * 2^16 + lo,
// because 2^16 = -1 modulo 2^16 + 1. Results are reduced to 16 bits.
inline std::uint32_t Mul(std::uint32_t a, std::uint32_t b) noexcept {
    if (a == 0)
        return (0x10001 - b) & 0xFFFF;
    if (b == 0)
        return (0x10001 - a) & 0xFFFF;
    const std::uint32_t p = a * b;
    const std::uint32_t lo = p & 0xFFFF, hi = p >> 16;
    return (lo - hi + (lo < hi ? 1u : 0u)) & 0xFFFF;
}

// Multiplicative inverse modulo 2^16 + 1 by Fermat: x^(2^16 - 1). 0 (2^16 = -1) and 1 are
// their own inverses, which the same power gives.
std::uint32_t MulInverse(std::uint32_t x) noexcept {
    std::uint32_t result = 1, base = x;
    for (std::uint32_t e = 0xFFFF; e != 0; e >>= 1) {
        if (e & 1)
            result = Mul(result, base);
        base = Mul(base, base);
    }
    return result;
}

inline std::uint32_t AddInverse(std::uint32_t x) noexcept {
    return (0x10000 - x) & 0xFFFF;
}

// Eight rounds and the output transformation with the 52 subkeys z (Lai 1992, "On the
// Design and Security of Block Ciphers"); the same routine decrypts when given
// the inverted schedule.
void Crypt(const std::uint32_t* z, const std::uint8_t* in, std::uint8_t* out) noexcept {
    std::uint32_t x1 = LoadBE16(in), x2 = LoadBE16(in + 2), x3 = LoadBE16(in + 4),
                  x4 = LoadBE16(in + 6);
    for (int r = 0; r < 8; ++r, z += 6) {
        x1 = Mul(x1, z[0]);
        x2 = (x2 + z[1]) & 0xFFFF;
        x3 = (x3 + z[2]) & 0xFFFF;
        x4 = Mul(x4, z[3]);
        const std::uint32_t e = Mul(x1 ^ x3, z[4]);
        const std::uint32_t f = Mul((e + (x2 ^ x4)) & 0xFFFF, z[5]);
        const std::uint32_t g = (e + f) & 0xFFFF;
        x1 ^= f;
        x4 ^= g;
        // The middle words cross over between rounds.
        const std::uint32_t t = x2 ^ g;
        x2 = x3 ^ f;
        x3 = t;
    }
    // The output transformation undoes the last crossover.
    StoreBE16(out, Mul(x1, z[0]));
    StoreBE16(out + 2, (x3 + z[1]) & 0xFFFF);
    StoreBE16(out + 4, (x2 + z[2]) & 0xFFFF);
    StoreBE16(out + 6, Mul(x4, z[3]));
}

}  // namespace

void TIdea::SetupKey(std::span<const std::uint8_t> key) {
    // Shorter keys are zero-extended to 16 bytes.
    std::uint8_t full[16] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        full[i] = key[i];

    // Subkeys are successive 16-bit words of the key, which is rotated left by 25 bits
    // after every eight.
    std::uint64_t hi = 0, lo = 0;
    for (int i = 0; i < 8; ++i) {
        hi = hi << 8 | full[i];
        lo = lo << 8 | full[8 + i];
    }
    for (int i = 0; i < kSubkeys; ++i) {
        const int w = i % 8;
        const std::uint64_t half = w < 4 ? hi : lo;
        ek_[i] = static_cast<std::uint32_t>(half >> (48 - 16 * (w % 4))) & 0xFFFF;
        if (w == 7) {
            const std::uint64_t h = hi;
            hi = hi << 25 | lo >> 39;
            lo = lo << 25 | h >> 39;
        }
    }

    // Decryption runs the same rounds with inverted subkeys in reverse order; in rounds 2
    // to 8 the two additive keys trade places because of the crossover of the middle words.
    const std::uint32_t* e = ek_;
    dk_[0] = MulInverse(e[48]);
    dk_[1] = AddInverse(e[49]);
    dk_[2] = AddInverse(e[50]);
    dk_[3] = MulInverse(e[51]);
    for (int r = 1; r < 8; ++r) {
        const int from = 48 - 6 * r;
        std::uint32_t* d = dk_ + 6 * r;
        d[-2] = e[from + 4];
        d[-1] = e[from + 5];
        d[0] = MulInverse(e[from]);
        d[1] = AddInverse(e[from + 2]);
        d[2] = AddInverse(e[from + 1]);
        d[3] = MulInverse(e[from + 3]);
    }
    dk_[46] = e[4];
    dk_[47] = e[5];
    dk_[48] = MulInverse(e[0]);
    dk_[49] = AddInverse(e[1]);
    dk_[50] = AddInverse(e[2]);
    dk_[51] = MulInverse(e[3]);

    SecureWipe(full);
    SecureWipe(&hi, sizeof hi);
    SecureWipe(&lo, sizeof lo);
}

void TIdea::WipeSchedule() noexcept {
    SecureWipe(ek_);
    SecureWipe(dk_);
}

void TIdea::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Crypt(ek_, in, out);
}

void TIdea::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Crypt(dk_, in, out);
}

DOVREL_CHAINED_BLOCKS_DEF(TIdea)

}  // namespace dovrel
