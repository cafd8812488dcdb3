#include "crypto/ciphers/RijndaelAesNi.h"

#include <cstdlib>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

// Compiled for the AES instructions function by function, so the rest of the program keeps
// running on processors without them; CpuHasAesNi() decides at run time.
#define DOVREL_AESNI __attribute__((target("aes,sse4.1")))

namespace dovrel::aesni {

namespace {

DOVREL_AESNI inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

DOVREL_AESNI inline void Store(std::uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

DOVREL_AESNI inline __m128i Encrypt(const __m128i* k, int rounds, __m128i x) {
    x = _mm_xor_si128(x, k[0]);
    for (int r = 1; r < rounds; ++r)
        x = _mm_aesenc_si128(x, k[r]);
    return _mm_aesenclast_si128(x, k[rounds]);
}

DOVREL_AESNI inline __m128i Decrypt(const __m128i* k, int rounds, __m128i x) {
    x = _mm_xor_si128(x, k[0]);
    for (int r = 1; r < rounds; ++r)
        x = _mm_aesdec_si128(x, k[r]);
    return _mm_aesdeclast_si128(x, k[rounds]);
}

constexpr int kMaxRounds = 14;

DOVREL_AESNI inline void LoadKeys(const std::uint8_t* keys, int rounds, __m128i* k) {
    for (int r = 0; r <= rounds; ++r)
        k[r] = Load(keys + 16 * r);
}

}  // namespace

DOVREL_AESNI void EncryptBlock(const std::uint8_t* keys, int rounds, const std::uint8_t* in,
                               std::uint8_t* out) noexcept {
    __m128i k[kMaxRounds + 1] = {};
    LoadKeys(keys, rounds, k);
    Store(out, Encrypt(k, rounds, Load(in)));
}

DOVREL_AESNI void DecryptBlock(const std::uint8_t* keys, int rounds, const std::uint8_t* in,
                               std::uint8_t* out) noexcept {
    __m128i k[kMaxRounds + 1] = {};
    LoadKeys(keys, rounds, k);
    Store(out, Decrypt(k, rounds, Load(in)));
}

// Each block waits for the one before: one block in flight is all CBC encryption allows.
DOVREL_AESNI void EncryptCbc(const std::uint8_t* keys, int rounds, std::uint8_t* cv,
                             const std::uint8_t* in, std::uint8_t* out,
                             std::size_t blocks) noexcept {
    __m128i k[kMaxRounds + 1] = {};
    LoadKeys(keys, rounds, k);
    __m128i c = Load(cv);
    for (; blocks != 0; --blocks, in += 16, out += 16) {
        c = Encrypt(k, rounds, _mm_xor_si128(Load(in), c));
        Store(out, c);
    }
    Store(cv, c);
}

// Decryption needs only ciphertext, so eight blocks go through the rounds together and
// hide the latency of the instruction.
DOVREL_AESNI void DecryptCbc(const std::uint8_t* keys, int rounds, std::uint8_t* cv,
                             const std::uint8_t* in, std::uint8_t* out,
                             std::size_t blocks) noexcept {
    constexpr std::size_t kLanes = 8;
    __m128i k[kMaxRounds + 1] = {};
    LoadKeys(keys, rounds, k);
    __m128i c = Load(cv);
    for (; blocks >= kLanes; blocks -= kLanes, in += 16 * kLanes, out += 16 * kLanes) {
        __m128i t[kLanes], x[kLanes];
#pragma GCC unroll 8
        for (std::size_t j = 0; j < kLanes; ++j) {
            t[j] = Load(in + 16 * j);
            x[j] = _mm_xor_si128(t[j], k[0]);
        }
        for (int r = 1; r < rounds; ++r) {
#pragma GCC unroll 8
            for (std::size_t j = 0; j < kLanes; ++j)
                x[j] = _mm_aesdec_si128(x[j], k[r]);
        }
#pragma GCC unroll 8
        for (std::size_t j = 0; j < kLanes; ++j) {
            x[j] = _mm_aesdeclast_si128(x[j], k[rounds]);
            Store(out + 16 * j, _mm_xor_si128(x[j], j == 0 ? c : t[j - 1]));
        }
        c = t[kLanes - 1];
    }
    for (; blocks != 0; --blocks, in += 16, out += 16) {
        const __m128i t = Load(in);
        Store(out, _mm_xor_si128(Decrypt(k, rounds, t), c));
        c = t;
    }
    Store(cv, c);
}

}  // namespace dovrel::aesni

#else

// Without x86 there is no fast path; CpuHasAesNi() is false and these are never reached.
namespace dovrel::aesni {

void EncryptBlock(const std::uint8_t*, int, const std::uint8_t*, std::uint8_t*) noexcept {
    std::abort();
}
void DecryptBlock(const std::uint8_t*, int, const std::uint8_t*, std::uint8_t*) noexcept {
    std::abort();
}
void EncryptCbc(const std::uint8_t*, int, std::uint8_t*, const std::uint8_t*, std::uint8_t*,
                std::size_t) noexcept {
    std::abort();
}
void DecryptCbc(const std::uint8_t*, int, std::uint8_t*, const std::uint8_t*, std::uint8_t*,
                std::size_t) noexcept {
    std::abort();
}

}  // namespace dovrel::aesni

#endif
