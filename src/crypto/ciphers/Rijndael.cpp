#include "crypto/ciphers/Rijndael.h"

#include <bit>
#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/CpuFeatures.h"
#include "crypto/SecureWipe.h"
#include "crypto/ciphers/RijndaelAesNi.h"

namespace dovrel {

namespace {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1 (FIPS 197 4.2).
constexpr std::uint8_t GfMul(std::uint8_t a, std::uint8_t b) {
    std::uint8_t p = 0;
    while (b != 0) {
        if (b & 1)
            p ^= a;
        a = static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0));
        b >>= 1;
    }
    return p;
}

constexpr std::uint32_t Pack(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return std::uint32_t{b0} << 24 | std::uint32_t{b1} << 16 | std::uint32_t{b2} << 8 |
           std::uint32_t{b3};
}

struct Tables {
    std::uint8_t sbox[256];
    std::uint8_t invSbox[256];
    // te[0][x] is the MixColumns column of S[x]; te[1..3] are its byte rotations, so one
    // round is sixteen lookups and XORs on 32-bit column words (Daemen and Rijmen,
    // "AES Proposal: Rijndael", section 5.2.1).
    std::uint32_t te[4][256];
    std::uint32_t td[4][256];
};

constexpr Tables MakeTables() {
    Tables t{};
    // Powers and logarithms of the generator 3 give the multiplicative inverse.
    std::uint8_t exp[256] = {}, log[256] = {};
    std::uint8_t x = 1;
    for (int i = 0; i < 255; ++i) {
        exp[i] = x;
        log[x] = static_cast<std::uint8_t>(i);
        x = GfMul(x, 3);
    }
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t inv = i == 0 ? 0 : exp[(255 - log[i]) % 255];
        // Affine transformation, FIPS 197 5.1.1 equation 5.1.
        std::uint8_t s = inv;
        for (int r = 1; r <= 4; ++r)
            s ^= static_cast<std::uint8_t>(inv << r | inv >> (8 - r));
        s ^= 0x63;
        t.sbox[i] = s;
        t.invSbox[s] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t s = t.sbox[i], si = t.invSbox[i];
        t.te[0][i] = Pack(GfMul(s, 2), s, s, GfMul(s, 3));
        t.td[0][i] = Pack(GfMul(si, 14), GfMul(si, 9), GfMul(si, 13), GfMul(si, 11));
        for (int k = 1; k < 4; ++k) {
            t.te[k][i] = std::rotr(t.te[k - 1][i], 8);
            t.td[k][i] = std::rotr(t.td[k - 1][i], 8);
        }
    }
    return t;
}

constexpr Tables kT = MakeTables();

constexpr auto& S = kT.sbox;
constexpr auto& Si = kT.invSbox;
constexpr auto& Te0 = kT.te[0];
constexpr auto& Te1 = kT.te[1];
constexpr auto& Te2 = kT.te[2];
constexpr auto& Te3 = kT.te[3];
constexpr auto& Td0 = kT.td[0];
constexpr auto& Td1 = kT.td[1];
constexpr auto& Td2 = kT.td[2];
constexpr auto& Td3 = kT.td[3];

static_assert(S[0x00] == 0x63 && S[0x53] == 0xED && Si[0x63] == 0x00);

constexpr unsigned B0(std::uint32_t w) {
    return w >> 24;
}
constexpr unsigned B1(std::uint32_t w) {
    return (w >> 16) & 0xFF;
}
constexpr unsigned B2(std::uint32_t w) {
    return (w >> 8) & 0xFF;
}
constexpr unsigned B3(std::uint32_t w) {
    return w & 0xFF;
}

inline std::uint32_t SubWord(std::uint32_t w) {
    return Pack(S[B0(w)], S[B1(w)], S[B2(w)], S[B3(w)]);
}

// InvMixColumns of one column: Td applies InvSubBytes first, so undo it through S.
inline std::uint32_t InvMixColumn(std::uint32_t w) {
    return Td0[S[B0(w)]] ^ Td1[S[B1(w)]] ^ Td2[S[B2(w)]] ^ Td3[S[B3(w)]];
}

}  // namespace

void TRijndael::SetupKey(std::span<const std::uint8_t> key) {
    // Short keys are zero-extended to the next standard length.
    const std::size_t bytes = key.size() <= 16 ? 16 : key.size() <= 24 ? 24 : 32;
    std::uint8_t k[32] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        k[i] = key[i];

    // Key expansion, FIPS 197 5.2.
    const int nk = static_cast<int>(bytes / 4);
    rounds_ = nk + 6;
    const int total = 4 * (rounds_ + 1);
    for (int i = 0; i < nk; ++i)
        ek_[i] = LoadBE32(k + 4 * i);
    std::uint32_t rcon = 0x01000000;
    for (int i = nk; i < total; ++i) {
        std::uint32_t t = ek_[i - 1];
        if (i % nk == 0) {
            t = SubWord(t << 8 | t >> 24) ^ rcon;
            rcon = std::uint32_t{GfMul(static_cast<std::uint8_t>(rcon >> 24), 2)} << 24;
        } else if (nk > 6 && i % nk == 4) {
            t = SubWord(t);
        }
        ek_[i] = ek_[i - nk] ^ t;
    }
    SecureWipe(k);

    // Equivalent inverse cipher key schedule, FIPS 197 5.3.5.
    for (int r = 0; r <= rounds_; ++r) {
        for (int c = 0; c < 4; ++c) {
            const std::uint32_t w = ek_[4 * (rounds_ - r) + c];
            dk_[4 * r + c] = (r == 0 || r == rounds_) ? w : InvMixColumn(w);
        }
    }
    for (int i = 0; i < total; ++i) {
        StoreBE32(aesniEk_ + 4 * i, ek_[i]);
        StoreBE32(aesniDk_ + 4 * i, dk_[i]);
    }
}

void TRijndael::WipeSchedule() noexcept {
    SecureWipe(ek_);
    SecureWipe(dk_);
    SecureWipe(aesniEk_);
    SecureWipe(aesniDk_);
    rounds_ = 0;
}

void TRijndael::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    if (UseAesNi())
        aesni::EncryptBlock(aesniEk_, rounds_, in, out);
    else
        PortableEncrypt(in, out);
}

void TRijndael::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    if (UseAesNi())
        aesni::DecryptBlock(aesniDk_, rounds_, in, out);
    else
        PortableDecrypt(in, out);
}

void TRijndael::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                     std::size_t blocks) const {
    if (UseAesNi())
        aesni::EncryptCbc(aesniEk_, rounds_, cv, in, out, blocks);
    else
        chained::EncryptBlocks<kBlockBytes>(
            cv, in, out, blocks,
            [this](const std::uint8_t* i, std::uint8_t* o) { PortableEncrypt(i, o); });
}

void TRijndael::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                     std::size_t blocks) const {
    if (UseAesNi())
        aesni::DecryptCbc(aesniDk_, rounds_, cv, in, out, blocks);
    else
        chained::DecryptBlocks<kBlockBytes>(
            cv, in, out, blocks,
            [this](const std::uint8_t* i, std::uint8_t* o) { PortableDecrypt(i, o); });
}

void TRijndael::PortableEncrypt(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t* rk = ek_;
    std::uint32_t s0 = LoadBE32(in) ^ rk[0];
    std::uint32_t s1 = LoadBE32(in + 4) ^ rk[1];
    std::uint32_t s2 = LoadBE32(in + 8) ^ rk[2];
    std::uint32_t s3 = LoadBE32(in + 12) ^ rk[3];
    for (int r = 1; r < rounds_; ++r) {
        rk += 4;
        const std::uint32_t t0 = Te0[B0(s0)] ^ Te1[B1(s1)] ^ Te2[B2(s2)] ^ Te3[B3(s3)] ^ rk[0];
        const std::uint32_t t1 = Te0[B0(s1)] ^ Te1[B1(s2)] ^ Te2[B2(s3)] ^ Te3[B3(s0)] ^ rk[1];
        const std::uint32_t t2 = Te0[B0(s2)] ^ Te1[B1(s3)] ^ Te2[B2(s0)] ^ Te3[B3(s1)] ^ rk[2];
        const std::uint32_t t3 = Te0[B0(s3)] ^ Te1[B1(s0)] ^ Te2[B2(s1)] ^ Te3[B3(s2)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    // Last round: no MixColumns.
    StoreBE32(out, Pack(S[B0(s0)], S[B1(s1)], S[B2(s2)], S[B3(s3)]) ^ rk[0]);
    StoreBE32(out + 4, Pack(S[B0(s1)], S[B1(s2)], S[B2(s3)], S[B3(s0)]) ^ rk[1]);
    StoreBE32(out + 8, Pack(S[B0(s2)], S[B1(s3)], S[B2(s0)], S[B3(s1)]) ^ rk[2]);
    StoreBE32(out + 12, Pack(S[B0(s3)], S[B1(s0)], S[B2(s1)], S[B3(s2)]) ^ rk[3]);
}

// The equivalent inverse cipher (FIPS 197 5.3.5): the same round shape as encryption with
// InvShiftRows reading the columns in the opposite direction.
void TRijndael::PortableDecrypt(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t* rk = dk_;
    std::uint32_t s0 = LoadBE32(in) ^ rk[0];
    std::uint32_t s1 = LoadBE32(in + 4) ^ rk[1];
    std::uint32_t s2 = LoadBE32(in + 8) ^ rk[2];
    std::uint32_t s3 = LoadBE32(in + 12) ^ rk[3];
    for (int r = 1; r < rounds_; ++r) {
        rk += 4;
        const std::uint32_t t0 = Td0[B0(s0)] ^ Td1[B1(s3)] ^ Td2[B2(s2)] ^ Td3[B3(s1)] ^ rk[0];
        const std::uint32_t t1 = Td0[B0(s1)] ^ Td1[B1(s0)] ^ Td2[B2(s3)] ^ Td3[B3(s2)] ^ rk[1];
        const std::uint32_t t2 = Td0[B0(s2)] ^ Td1[B1(s1)] ^ Td2[B2(s0)] ^ Td3[B3(s3)] ^ rk[2];
        const std::uint32_t t3 = Td0[B0(s3)] ^ Td1[B1(s2)] ^ Td2[B2(s1)] ^ Td3[B3(s0)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    StoreBE32(out, Pack(Si[B0(s0)], Si[B1(s3)], Si[B2(s2)], Si[B3(s1)]) ^ rk[0]);
    StoreBE32(out + 4, Pack(Si[B0(s1)], Si[B1(s0)], Si[B2(s3)], Si[B3(s2)]) ^ rk[1]);
    StoreBE32(out + 8, Pack(Si[B0(s2)], Si[B1(s1)], Si[B2(s0)], Si[B3(s3)]) ^ rk[2]);
    StoreBE32(out + 12, Pack(Si[B0(s3)], Si[B1(s2)], Si[B2(s1)], Si[B3(s0)]) ^ rk[3]);
}

}  // namespace dovrel
