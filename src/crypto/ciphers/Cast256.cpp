#include "crypto/ciphers/Cast256.h"

#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/ciphers/CastRoundFunctions.h"

namespace dovrel {

namespace {

using cast::F1;
using cast::F2;
using cast::F3;

// Tm and Tr of the RFC 2612 key schedule: Cm = 2^30 * sqrt(2),
// Mm = 2^30 * sqrt(3), Cr = 19, Mr = 17, taken in order over i = 0..23, j = 0..7.
struct TScheduleConstants {
    std::uint32_t tm[24][8];
    std::uint32_t tr[24][8];
};

constexpr TScheduleConstants MakeScheduleConstants() {
    TScheduleConstants t{};
    std::uint32_t cm = 0x5A827999, cr = 19;
    for (int i = 0; i < 24; ++i) {
        for (int j = 0; j < 8; ++j) {
            t.tm[i][j] = cm;
            cm += 0x6ED9EBA1;
            t.tr[i][j] = cr;
            cr = (cr + 17) & 31;
        }
    }
    return t;
}

constexpr TScheduleConstants kT = MakeScheduleConstants();

// Forward octave W(i) of the RFC 2612 key schedule, on the key words A..H (k[0]..k[7]).
inline void Octave(std::uint32_t* k, int i) {
    const std::uint32_t* tm = kT.tm[i];
    const std::uint32_t* tr = kT.tr[i];
    k[6] ^= F1(k[7], tm[0], tr[0]);
    k[5] ^= F2(k[6], tm[1], tr[1]);
    k[4] ^= F3(k[5], tm[2], tr[2]);
    k[3] ^= F1(k[4], tm[3], tr[3]);
    k[2] ^= F2(k[3], tm[4], tr[4]);
    k[1] ^= F3(k[2], tm[5], tr[5]);
    k[0] ^= F1(k[1], tm[6], tr[6]);
    k[7] ^= F2(k[0], tm[7], tr[7]);
}

}  // namespace

void TCast256::SetupKey(std::span<const std::uint8_t> key) {
    std::uint8_t padded[32] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        padded[i] = key[i];
    std::uint32_t k[8];
    for (int i = 0; i < 8; ++i)
        k[i] = LoadBE32(padded + 4 * i);

    for (int i = 0; i < 12; ++i) {
        Octave(k, 2 * i);
        Octave(k, 2 * i + 1);
        // Kr(i) = 5 LS bits of (A, C, E, G); Km(i) = (H, F, D, B).
        kr_[i][0] = k[0] & 31;
        kr_[i][1] = k[2] & 31;
        kr_[i][2] = k[4] & 31;
        kr_[i][3] = k[6] & 31;
        km_[i][0] = k[7];
        km_[i][1] = k[5];
        km_[i][2] = k[3];
        km_[i][3] = k[1];
    }
    SecureWipe(padded);
    SecureWipe(k);
}

void TCast256::WipeSchedule() noexcept {
    SecureWipe(km_);
    SecureWipe(kr_);
}

// RFC 2612 encryption: six forward quad-rounds Q, then six reverse quad-rounds QBAR.
// Decryption runs the same with the quad-round keys taken in reverse order.
void TCast256::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadBE32(in), b = LoadBE32(in + 4), c = LoadBE32(in + 8),
                  d = LoadBE32(in + 12);
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t* m = km_[i];
        const std::uint32_t* r = kr_[i];
        c ^= F1(d, m[0], r[0]);
        b ^= F2(c, m[1], r[1]);
        a ^= F3(b, m[2], r[2]);
        d ^= F1(a, m[3], r[3]);
    }
    for (int i = 6; i < 12; ++i) {
        const std::uint32_t* m = km_[i];
        const std::uint32_t* r = kr_[i];
        d ^= F1(a, m[3], r[3]);
        a ^= F3(b, m[2], r[2]);
        b ^= F2(c, m[1], r[1]);
        c ^= F1(d, m[0], r[0]);
    }
    StoreBE32(out, a);
    StoreBE32(out + 4, b);
    StoreBE32(out + 8, c);
    StoreBE32(out + 12, d);
}

void TCast256::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadBE32(in), b = LoadBE32(in + 4), c = LoadBE32(in + 8),
                  d = LoadBE32(in + 12);
    for (int i = 11; i >= 6; --i) {
        const std::uint32_t* m = km_[i];
        const std::uint32_t* r = kr_[i];
        c ^= F1(d, m[0], r[0]);
        b ^= F2(c, m[1], r[1]);
        a ^= F3(b, m[2], r[2]);
        d ^= F1(a, m[3], r[3]);
    }
    for (int i = 5; i >= 0; --i) {
        const std::uint32_t* m = km_[i];
        const std::uint32_t* r = kr_[i];
        d ^= F1(a, m[3], r[3]);
        a ^= F3(b, m[2], r[2]);
        b ^= F2(c, m[1], r[1]);
        c ^= F1(d, m[0], r[0]);
    }
    StoreBE32(out, a);
    StoreBE32(out + 4, b);
    StoreBE32(out + 8, c);
    StoreBE32(out + 12, d);
}

DOVREL_CHAINED_BLOCKS_DEF(TCast256)

}  // namespace dovrel
