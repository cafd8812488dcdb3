#include "crypto/ciphers/Rc6.h"

#include <bit>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/ciphers/Rc5KeyExpansion.h"

namespace dovrel {

namespace {

// f(x) = (x * (2x + 1)) <<< lg w.
inline std::uint32_t F(std::uint32_t x) noexcept {
    return std::rotl(x * (2 * x + 1), 5);
}

// One round on (a, b, c, d) with round keys k[0], k[1]; the caller renames the words
// instead of rotating them, four rounds per turn.
inline void Round(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                  const std::uint32_t* k) noexcept {
    const std::uint32_t t = F(b), u = F(d);
    a = Rotl32(a ^ t, u) + k[0];
    c = Rotl32(c ^ u, t) + k[1];
}

inline void InverseRound(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                         const std::uint32_t* k) noexcept {
    const std::uint32_t t = F(b), u = F(d);
    c = Rotr32(c - k[1], t) ^ u;
    a = Rotr32(a - k[0], u) ^ t;
}

}  // namespace

// Key schedule, RC6 paper section 2.3: the same mixing as RC5 over 2r + 4 words.
void TRc6::SetupKey(std::span<const std::uint8_t> key) {
    rc5::ExpandKey(key, s_);
}

void TRc6::WipeSchedule() noexcept {
    SecureWipe(s_);
}

// RC6 paper section 2.4, encryption with the rotation (A, B, C, D) = (B, C, D, A) done by
// renaming.
void TRc6::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in), b = LoadLE32(in + 4), c = LoadLE32(in + 8),
                  d = LoadLE32(in + 12);
    b += s_[0];
    d += s_[1];
    const std::uint32_t* k = s_ + 2;
    for (int r = 0; r < kRounds; r += 4, k += 8) {
        Round(a, b, c, d, k);
        Round(b, c, d, a, k + 2);
        Round(c, d, a, b, k + 4);
        Round(d, a, b, c, k + 6);
    }
    a += s_[2 * kRounds + 2];
    c += s_[2 * kRounds + 3];
    StoreLE32(out, a);
    StoreLE32(out + 4, b);
    StoreLE32(out + 8, c);
    StoreLE32(out + 12, d);
}

void TRc6::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in), b = LoadLE32(in + 4), c = LoadLE32(in + 8),
                  d = LoadLE32(in + 12);
    c -= s_[2 * kRounds + 3];
    a -= s_[2 * kRounds + 2];
    const std::uint32_t* k = s_ + 2 * kRounds - 6;
    for (int r = 0; r < kRounds; r += 4, k -= 8) {
        InverseRound(d, a, b, c, k + 6);
        InverseRound(c, d, a, b, k + 4);
        InverseRound(b, c, d, a, k + 2);
        InverseRound(a, b, c, d, k);
    }
    d -= s_[1];
    b -= s_[0];
    StoreLE32(out, a);
    StoreLE32(out + 4, b);
    StoreLE32(out + 8, c);
    StoreLE32(out + 12, d);
}

DOVREL_CHAINED_BLOCKS_DEF(TRc6)

}  // namespace dovrel
