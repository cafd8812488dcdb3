#include "crypto/ciphers/Rc5.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace dovrel {

namespace {

// Magic constants P32 = Odd((e - 2) * 2^32) and Q32 = Odd((phi - 1) * 2^32), RFC 2040 section 5.1.
constexpr std::uint32_t kP32 = 0xB7E15163u;
constexpr std::uint32_t kQ32 = 0x9E3779B9u;

constexpr std::size_t kTableWords = 2 * TRc5::kRounds + 2;
constexpr std::size_t kMaxKeyWords = 256 / 4;

void SecureWipe(void* p, std::size_t n) noexcept {
    volatile std::uint8_t* v = static_cast<volatile std::uint8_t*>(p);
    while (n--)
        *v++ = 0;
}

// Data-dependent rotations use only the low five bits of the count.
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

}  // namespace

// Key expansion, RFC 2040 section 5: the key bytes fill L[] little-endian (the last word
// zero-padded), S[] starts from the P32/Q32 progression and 3 * max(t, c) mixing steps
// blend the two.
void TRc5::SetupKey(std::span<const std::uint8_t> key) {
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

void TRc5::WipeSchedule() noexcept {
    SecureWipe(s_, sizeof s_);
}

// RFC 2040 section 6: A = A + S[0], B = B + S[1], then per round
// A = ((A ^ B) <<< B) + S[2i], B = ((B ^ A) <<< A) + S[2i + 1].
void TRc5::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in) + s_[0];
    std::uint32_t b = LoadLe32(in + 4) + s_[1];
    for (int r = 1; r <= kRounds; ++r) {
        a = Rotl(a ^ b, b) + s_[2 * r];
        b = Rotl(b ^ a, a) + s_[2 * r + 1];
    }
    StoreLe32(out, a);
    StoreLe32(out + 4, b);
}

void TRc5::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in);
    std::uint32_t b = LoadLe32(in + 4);
    for (int r = kRounds; r >= 1; --r) {
        b = Rotr(b - s_[2 * r + 1], a) ^ a;
        a = Rotr(a - s_[2 * r], b) ^ b;
    }
    StoreLe32(out, a - s_[0]);
    StoreLe32(out + 4, b - s_[1]);
}

}  // namespace dovrel
