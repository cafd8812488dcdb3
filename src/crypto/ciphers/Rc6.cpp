#include "crypto/ciphers/Rc6.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace dovrel {

namespace {

// The RC5 magic constants P32 and Q32, reused by RC6 (RC6 paper section 2.3).
constexpr std::uint32_t kP32 = 0xB7E15163u;
constexpr std::uint32_t kQ32 = 0x9E3779B9u;

constexpr std::size_t kTableWords = 2 * TRc6::kRounds + 4;
constexpr std::size_t kMaxKeyWords = 256 / 4;

void SecureWipe(void* p, std::size_t n) noexcept {
    volatile std::uint8_t* v = static_cast<volatile std::uint8_t*>(p);
    while (n--)
        *v++ = 0;
}

// Data-dependent rotations use only the low five bits of the count (lg w = 5).
inline std::uint32_t Rotl(std::uint32_t x, std::uint32_t n) noexcept {
    return std::rotl(x, static_cast<int>(n & 31));
}

inline std::uint32_t Rotr(std::uint32_t x, std::uint32_t n) noexcept {
    return std::rotr(x, static_cast<int>(n & 31));
}

inline std::uint32_t LoadLe32(const std::uint8_t* p) noexcept {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v) noexcept {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// f(x) = (x * (2x + 1)) <<< lg w.
inline std::uint32_t F(std::uint32_t x) noexcept {
    return std::rotl(x * (2 * x + 1), 5);
}

// One round on (a, b, c, d) with round keys k[0], k[1]; the caller renames the words
// instead of rotating them, four rounds per turn.
inline void Round(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                  const std::uint32_t* k) noexcept {
    const std::uint32_t t = F(b), u = F(d);
    a = Rotl(a ^ t, u) + k[0];
    c = Rotl(c ^ u, t) + k[1];
}

inline void InverseRound(std::uint32_t& a, std::uint32_t b, std::uint32_t& c, std::uint32_t d,
                         const std::uint32_t* k) noexcept {
    const std::uint32_t t = F(b), u = F(d);
    c = Rotr(c - k[1], t) ^ u;
    a = Rotr(a - k[0], u) ^ t;
}

}  // namespace

// Key schedule, RC6 paper section 2.3: the same mixing as RC5 over 2r + 4 words.
void TRc6::SetupKey(std::span<const std::uint8_t> key) {
    std::uint32_t l[kMaxKeyWords] = {};
    const std::size_t c = std::max<std::size_t>(1, (key.size() + 3) / 4);
    for (std::size_t i = key.size(); i-- > 0;)
        l[i / 4] = (l[i / 4] << 8) | key[i];

    s_[0] = kP32;
    for (std::size_t i = 1; i < kTableWords; ++i)
        s_[i] = s_[i - 1] + kQ32;

    std::uint32_t a = 0, b = 0;
    std::size_t i = 0, j = 0;
    for (std::size_t k = 3 * std::max(kTableWords, c); k > 0; --k) {
        a = s_[i] = Rotl(s_[i] + a + b, 3);
        b = l[j] = Rotl(l[j] + a + b, a + b);
        i = i + 1 == kTableWords ? 0 : i + 1;
        j = j + 1 == c ? 0 : j + 1;
    }
    SecureWipe(l, sizeof l);
}

void TRc6::WipeSchedule() noexcept {
    SecureWipe(s_, sizeof s_);
}

// RC6 paper section 2.4, encryption with the rotation (A, B, C, D) = (B, C, D, A) done by
// renaming.
void TRc6::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in), b = LoadLe32(in + 4), c = LoadLe32(in + 8),
                  d = LoadLe32(in + 12);
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
    StoreLe32(out, a);
    StoreLe32(out + 4, b);
    StoreLe32(out + 8, c);
    StoreLe32(out + 12, d);
}

void TRc6::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in), b = LoadLe32(in + 4), c = LoadLe32(in + 8),
                  d = LoadLe32(in + 12);
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
    StoreLe32(out, a);
    StoreLe32(out + 4, b);
    StoreLe32(out + 8, c);
    StoreLe32(out + 12, d);
}

}  // namespace dovrel
