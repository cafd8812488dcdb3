#include "crypto/ciphers/Cast128.h"

#include <cstddef>
#include <utility>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/ciphers/CastRoundFunctions.h"
#include "crypto/ciphers/CastSBoxes.h"

namespace dovrel {

namespace {

using cast::F1;
using cast::F2;
using cast::F3;
using cast::S5;
using cast::S6;
using cast::S7;
using cast::S8;

// Byte n (0 = most significant of word 0) of a 128-bit value held as four words.
inline std::uint32_t B(const std::uint32_t* w, int n) {
    return (w[n >> 2] >> (24 - 8 * (n & 3))) & 0xFF;
}

// One pass of RFC 2144 section 2.4: turns x into 16 subkeys and leaves x ready for the
// next pass (the second pass yields K17..K32).
void SixteenSubkeys(std::uint32_t* x, std::uint32_t* k) {
    std::uint32_t z[4];
    for (int q = 0; q < 2; ++q) {
        z[0] = x[0] ^ S5[B(x, 13)] ^ S6[B(x, 15)] ^ S7[B(x, 12)] ^ S8[B(x, 14)] ^ S7[B(x, 8)];
        z[1] = x[2] ^ S5[B(z, 0)] ^ S6[B(z, 2)] ^ S7[B(z, 1)] ^ S8[B(z, 3)] ^ S8[B(x, 10)];
        z[2] = x[3] ^ S5[B(z, 7)] ^ S6[B(z, 6)] ^ S7[B(z, 5)] ^ S8[B(z, 4)] ^ S5[B(x, 9)];
        z[3] = x[1] ^ S5[B(z, 10)] ^ S6[B(z, 9)] ^ S7[B(z, 11)] ^ S8[B(z, 8)] ^ S6[B(x, 11)];
        if (q == 0) {
            k[0] = S5[B(z, 8)] ^ S6[B(z, 9)] ^ S7[B(z, 7)] ^ S8[B(z, 6)] ^ S5[B(z, 2)];
            k[1] = S5[B(z, 10)] ^ S6[B(z, 11)] ^ S7[B(z, 5)] ^ S8[B(z, 4)] ^ S6[B(z, 6)];
            k[2] = S5[B(z, 12)] ^ S6[B(z, 13)] ^ S7[B(z, 3)] ^ S8[B(z, 2)] ^ S7[B(z, 9)];
            k[3] = S5[B(z, 14)] ^ S6[B(z, 15)] ^ S7[B(z, 1)] ^ S8[B(z, 0)] ^ S8[B(z, 12)];
        } else {
            k[8] = S5[B(z, 3)] ^ S6[B(z, 2)] ^ S7[B(z, 12)] ^ S8[B(z, 13)] ^ S5[B(z, 9)];
            k[9] = S5[B(z, 1)] ^ S6[B(z, 0)] ^ S7[B(z, 14)] ^ S8[B(z, 15)] ^ S6[B(z, 12)];
            k[10] = S5[B(z, 7)] ^ S6[B(z, 6)] ^ S7[B(z, 8)] ^ S8[B(z, 9)] ^ S7[B(z, 2)];
            k[11] = S5[B(z, 5)] ^ S6[B(z, 4)] ^ S7[B(z, 10)] ^ S8[B(z, 11)] ^ S8[B(z, 6)];
        }
        x[0] = z[2] ^ S5[B(z, 5)] ^ S6[B(z, 7)] ^ S7[B(z, 4)] ^ S8[B(z, 6)] ^ S7[B(z, 0)];
        x[1] = z[0] ^ S5[B(x, 0)] ^ S6[B(x, 2)] ^ S7[B(x, 1)] ^ S8[B(x, 3)] ^ S8[B(z, 2)];
        x[2] = z[1] ^ S5[B(x, 7)] ^ S6[B(x, 6)] ^ S7[B(x, 5)] ^ S8[B(x, 4)] ^ S5[B(z, 1)];
        x[3] = z[3] ^ S5[B(x, 10)] ^ S6[B(x, 9)] ^ S7[B(x, 11)] ^ S8[B(x, 8)] ^ S6[B(z, 3)];
        if (q == 0) {
            k[4] = S5[B(x, 3)] ^ S6[B(x, 2)] ^ S7[B(x, 12)] ^ S8[B(x, 13)] ^ S5[B(x, 8)];
            k[5] = S5[B(x, 1)] ^ S6[B(x, 0)] ^ S7[B(x, 14)] ^ S8[B(x, 15)] ^ S6[B(x, 13)];
            k[6] = S5[B(x, 7)] ^ S6[B(x, 6)] ^ S7[B(x, 8)] ^ S8[B(x, 9)] ^ S7[B(x, 3)];
            k[7] = S5[B(x, 5)] ^ S6[B(x, 4)] ^ S7[B(x, 10)] ^ S8[B(x, 11)] ^ S8[B(x, 7)];
        } else {
            k[12] = S5[B(x, 8)] ^ S6[B(x, 9)] ^ S7[B(x, 7)] ^ S8[B(x, 6)] ^ S5[B(x, 3)];
            k[13] = S5[B(x, 10)] ^ S6[B(x, 11)] ^ S7[B(x, 5)] ^ S8[B(x, 4)] ^ S6[B(x, 7)];
            k[14] = S5[B(x, 12)] ^ S6[B(x, 13)] ^ S7[B(x, 3)] ^ S8[B(x, 2)] ^ S7[B(x, 8)];
            k[15] = S5[B(x, 14)] ^ S6[B(x, 15)] ^ S7[B(x, 1)] ^ S8[B(x, 0)] ^ S8[B(x, 13)];
        }
    }
    SecureWipe(z);
}

}  // namespace

void TCast128::SetupKey(std::span<const std::uint8_t> key) {
    // RFC 2144 section 2.5: a key shorter than 128 bits is padded with zero bytes on the
    // right, and keys of up to 80 bits use 12 rounds. A key of fewer than 5 bytes is taken
    // as that key padded to the 40-bit minimum, which the same rule turns into 16 bytes.
    std::uint8_t padded[16] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        padded[i] = key[i];
    shortKey_ = key.size() <= 10;

    std::uint32_t x[4];
    for (int i = 0; i < 4; ++i)
        x[i] = LoadBE32(padded + 4 * i);
    std::uint32_t k[16];
    SixteenSubkeys(x, km_);
    SixteenSubkeys(x, k);
    for (int i = 0; i < 16; ++i)
        kr_[i] = k[i] & 31;

    SecureWipe(padded);
    SecureWipe(x);
    SecureWipe(k);
}

void TCast128::WipeSchedule() noexcept {
    SecureWipe(km_);
    SecureWipe(kr_);
    shortKey_ = false;
}

// RFC 2144 section 2.2: rounds 1, 4, 7, 10, 13, 16 use f1, rounds 2, 5, 8, 11, 14 use f2
// and rounds 3, 6, 9, 12, 15 use f3. The halves are updated in turn instead of swapped.
inline void TCast128::Encrypt(std::uint32_t& l, std::uint32_t& r) const noexcept {
    l ^= F1(r, km_[0], kr_[0]);
    r ^= F2(l, km_[1], kr_[1]);
    l ^= F3(r, km_[2], kr_[2]);
    r ^= F1(l, km_[3], kr_[3]);
    l ^= F2(r, km_[4], kr_[4]);
    r ^= F3(l, km_[5], kr_[5]);
    l ^= F1(r, km_[6], kr_[6]);
    r ^= F2(l, km_[7], kr_[7]);
    l ^= F3(r, km_[8], kr_[8]);
    r ^= F1(l, km_[9], kr_[9]);
    l ^= F2(r, km_[10], kr_[10]);
    r ^= F3(l, km_[11], kr_[11]);
    if (!shortKey_) {
        l ^= F1(r, km_[12], kr_[12]);
        r ^= F2(l, km_[13], kr_[13]);
        l ^= F3(r, km_[14], kr_[14]);
        r ^= F1(l, km_[15], kr_[15]);
    }
    std::swap(l, r);
}

inline void TCast128::Decrypt(std::uint32_t& l, std::uint32_t& r) const noexcept {
    if (!shortKey_) {
        l ^= F1(r, km_[15], kr_[15]);
        r ^= F3(l, km_[14], kr_[14]);
        l ^= F2(r, km_[13], kr_[13]);
        r ^= F1(l, km_[12], kr_[12]);
    }
    l ^= F3(r, km_[11], kr_[11]);
    r ^= F2(l, km_[10], kr_[10]);
    l ^= F1(r, km_[9], kr_[9]);
    r ^= F3(l, km_[8], kr_[8]);
    l ^= F2(r, km_[7], kr_[7]);
    r ^= F1(l, km_[6], kr_[6]);
    l ^= F3(r, km_[5], kr_[5]);
    r ^= F2(l, km_[4], kr_[4]);
    l ^= F1(r, km_[3], kr_[3]);
    r ^= F3(l, km_[2], kr_[2]);
    l ^= F2(r, km_[1], kr_[1]);
    r ^= F1(l, km_[0], kr_[0]);
    std::swap(l, r);
}

void TCast128::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l = LoadBE32(in), r = LoadBE32(in + 4);
    Encrypt(l, r);
    StoreBE32(out, l);
    StoreBE32(out + 4, r);
}

void TCast128::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l = LoadBE32(in), r = LoadBE32(in + 4);
    Decrypt(l, r);
    StoreBE32(out, l);
    StoreBE32(out + 4, r);
}

// The chaining value stays in registers as two words from block to block.
void TCast128::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                    std::size_t blocks) const {
    chained::EncryptHalves(cv, in, out, blocks,
                           [this](std::uint32_t& l, std::uint32_t& r) { Encrypt(l, r); });
}

void TCast128::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                    std::size_t blocks) const {
    chained::DecryptHalves(cv, in, out, blocks,
                           [this](std::uint32_t& l, std::uint32_t& r) { Decrypt(l, r); });
}

}  // namespace dovrel
