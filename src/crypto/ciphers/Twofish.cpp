#include "crypto/ciphers/Twofish.h"

#include <bit>
#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// The 4-bit permutations t0..t3 from which q0 and q1 are built (Twofish paper, section
// "The Permutations q0 and q1").
constexpr std::uint8_t kQt[2][4][16] = {
    {{0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
     {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
     {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
     {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA}},
    {{0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
     {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
     {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
     {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA}},
};

constexpr std::uint8_t Ror4(std::uint8_t x) {
    return static_cast<std::uint8_t>(((x >> 1) | (x << 3)) & 0xF);
}

constexpr std::uint8_t QPermute(int which, std::uint8_t x) {
    const auto& t = kQt[which];
    std::uint8_t a = x >> 4, b = x & 0xF;
    std::uint8_t a1 = a ^ b, b1 = static_cast<std::uint8_t>((a ^ Ror4(b) ^ (a << 3)) & 0xF);
    a = t[0][a1];
    b = t[1][b1];
    a1 = a ^ b;
    b1 = static_cast<std::uint8_t>((a ^ Ror4(b) ^ (a << 3)) & 0xF);
    return static_cast<std::uint8_t>(t[3][b1] << 4 | t[2][a1]);
}

// Multiplication in GF(2^8) modulo the given polynomial.
constexpr std::uint8_t GfMul(std::uint8_t a, std::uint8_t b, unsigned poly) {
    unsigned p = 0, x = a;
    for (; b != 0; b >>= 1) {
        if (b & 1)
            p ^= x;
        x <<= 1;
        if (x & 0x100)
            x ^= poly;
    }
    return static_cast<std::uint8_t>(p);
}

constexpr unsigned kMdsPoly = 0x169;  // x^8 + x^6 + x^5 + x^3 + 1
constexpr unsigned kRsPoly = 0x14D;   // x^8 + x^6 + x^3 + x^2 + 1

constexpr std::uint8_t kMds[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B},
    {0x5B, 0xEF, 0xEF, 0x01},
    {0xEF, 0x5B, 0x01, 0xEF},
    {0xEF, 0x01, 0xEF, 0x5B},
};

constexpr std::uint8_t kRs[4][8] = {
    {0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
    {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
    {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
    {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03},
};

struct Tables {
    std::uint8_t q[2][256];
    // mds[j][y]: column j of the MDS matrix times y, as a little-endian word.
    std::uint32_t mds[4][256];
};

constexpr Tables MakeTables() {
    Tables t{};
    for (int x = 0; x < 256; ++x) {
        t.q[0][x] = QPermute(0, static_cast<std::uint8_t>(x));
        t.q[1][x] = QPermute(1, static_cast<std::uint8_t>(x));
        for (int j = 0; j < 4; ++j) {
            std::uint32_t w = 0;
            for (int i = 0; i < 4; ++i)
                w |= std::uint32_t{GfMul(static_cast<std::uint8_t>(x), kMds[i][j], kMdsPoly)}
                     << (8 * i);
            t.mds[j][x] = w;
        }
    }
    return t;
}

constexpr Tables kT = MakeTables();

static_assert(kT.q[0][0] == 0xA9 && kT.q[1][0] == 0x75);

constexpr std::uint8_t Byte(std::uint32_t w, int i) {
    return static_cast<std::uint8_t>(w >> (8 * i));
}

// The q-permutation and key-XOR stages of h (Twofish paper 4.3.2) applied to
// byte j of the input, with the key words L[0..k-1]. Returns the byte fed to the MDS.
inline std::uint8_t HByte(int j, std::uint8_t y, const std::uint32_t* L, int k) {
    // Which permutation each stage uses for byte position j, outermost stage last.
    static constexpr std::uint8_t kStage4[4] = {1, 0, 0, 1};
    static constexpr std::uint8_t kStage3[4] = {1, 1, 0, 0};
    static constexpr std::uint8_t kStage2[4] = {0, 1, 0, 1};
    static constexpr std::uint8_t kStage1[4] = {0, 0, 1, 1};
    static constexpr std::uint8_t kStage0[4] = {1, 0, 1, 0};
    if (k == 4)
        y = kT.q[kStage4[j]][y] ^ Byte(L[3], j);
    if (k >= 3)
        y = kT.q[kStage3[j]][y] ^ Byte(L[2], j);
    y = kT.q[kStage2[j]][y] ^ Byte(L[1], j);
    y = kT.q[kStage1[j]][y] ^ Byte(L[0], j);
    return kT.q[kStage0[j]][y];
}

inline std::uint32_t H(std::uint32_t x, const std::uint32_t* L, int k) {
    std::uint32_t z = 0;
    for (int j = 0; j < 4; ++j)
        z ^= kT.mds[j][HByte(j, Byte(x, j), L, k)];
    return z;
}

}  // namespace

void TTwofish::SetupKey(std::span<const std::uint8_t> key) {
    // Twofish paper 4.3.1: shorter keys are padded with zeros to the next defined length.
    const std::size_t bytes = key.size() <= 16 ? 16 : key.size() <= 24 ? 24 : 32;
    std::uint8_t m[32] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        m[i] = key[i];
    const int k = static_cast<int>(bytes / 8);

    // Me = (M0, M2, ...), Mo = (M1, M3, ...); the S-box key words come from the RS code,
    // in reverse order: L[0] = S_{k-1} (Twofish paper 4.3).
    std::uint32_t me[4] = {}, mo[4] = {}, s[4] = {};
    for (int i = 0; i < k; ++i) {
        me[i] = LoadLE32(m + 8 * i);
        mo[i] = LoadLE32(m + 8 * i + 4);
        std::uint32_t w = 0;
        for (int r = 0; r < 4; ++r) {
            std::uint8_t acc = 0;
            for (int c = 0; c < 8; ++c)
                acc ^= GfMul(m[8 * i + c], kRs[r][c], kRsPoly);
            w |= std::uint32_t{acc} << (8 * r);
        }
        s[k - 1 - i] = w;
    }

    // Subkeys, Twofish paper 4.3.
    constexpr std::uint32_t rho = 0x01010101;
    for (int i = 0; i < 20; ++i) {
        const std::uint32_t a = H(2 * i * rho, me, k);
        const std::uint32_t b = std::rotl(H((2 * i + 1) * rho, mo, k), 8);
        subkeys_[2 * i] = a + b;
        subkeys_[2 * i + 1] = std::rotl(a + 2 * b, 9);
    }

    // The key-dependent S-boxes composed with the MDS columns: the "full keying" option of
    // the Twofish paper's performance section.
    for (int x = 0; x < 256; ++x) {
        for (int j = 0; j < 4; ++j)
            sbox_[j][x] = kT.mds[j][HByte(j, static_cast<std::uint8_t>(x), s, k)];
    }

    SecureWipe(m);
    SecureWipe(me);
    SecureWipe(mo);
    SecureWipe(s);
}

void TTwofish::WipeSchedule() noexcept {
    SecureWipe(sbox_);
    SecureWipe(subkeys_);
}

namespace {

// g(X) and g(ROL(X, 8)) with the keyed tables.
inline std::uint32_t G0(const std::uint32_t (&sb)[4][256], std::uint32_t x) {
    return sb[0][x & 0xFF] ^ sb[1][(x >> 8) & 0xFF] ^ sb[2][(x >> 16) & 0xFF] ^ sb[3][x >> 24];
}

inline std::uint32_t G1(const std::uint32_t (&sb)[4][256], std::uint32_t x) {
    return sb[0][x >> 24] ^ sb[1][x & 0xFF] ^ sb[2][(x >> 8) & 0xFF] ^ sb[3][(x >> 16) & 0xFF];
}

}  // namespace

// Two rounds per pass so the halves never swap: the even round updates words 2 and 3 from
// 0 and 1, the odd round the reverse (Twofish paper section 4, figure 1).
void TTwofish::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t* k = subkeys_;
    std::uint32_t x0 = LoadLE32(in) ^ k[0];
    std::uint32_t x1 = LoadLE32(in + 4) ^ k[1];
    std::uint32_t x2 = LoadLE32(in + 8) ^ k[2];
    std::uint32_t x3 = LoadLE32(in + 12) ^ k[3];
    for (int r = 0; r < 8; ++r) {
        const std::uint32_t* rk = k + 8 + 4 * r;
        std::uint32_t t0 = G0(sbox_, x0), t1 = G1(sbox_, x1);
        x2 = std::rotr(x2 ^ (t0 + t1 + rk[0]), 1);
        x3 = std::rotl(x3, 1) ^ (t0 + 2 * t1 + rk[1]);
        t0 = G0(sbox_, x2);
        t1 = G1(sbox_, x3);
        x0 = std::rotr(x0 ^ (t0 + t1 + rk[2]), 1);
        x1 = std::rotl(x1, 1) ^ (t0 + 2 * t1 + rk[3]);
    }
    // Output whitening also undoes the last round's swap.
    StoreLE32(out, x2 ^ k[4]);
    StoreLE32(out + 4, x3 ^ k[5]);
    StoreLE32(out + 8, x0 ^ k[6]);
    StoreLE32(out + 12, x1 ^ k[7]);
}

void TTwofish::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint32_t* k = subkeys_;
    std::uint32_t x2 = LoadLE32(in) ^ k[4];
    std::uint32_t x3 = LoadLE32(in + 4) ^ k[5];
    std::uint32_t x0 = LoadLE32(in + 8) ^ k[6];
    std::uint32_t x1 = LoadLE32(in + 12) ^ k[7];
    for (int r = 7; r >= 0; --r) {
        const std::uint32_t* rk = k + 8 + 4 * r;
        std::uint32_t t0 = G0(sbox_, x2), t1 = G1(sbox_, x3);
        x1 = std::rotr(x1 ^ (t0 + 2 * t1 + rk[3]), 1);
        x0 = std::rotl(x0, 1) ^ (t0 + t1 + rk[2]);
        t0 = G0(sbox_, x0);
        t1 = G1(sbox_, x1);
        x3 = std::rotr(x3 ^ (t0 + 2 * t1 + rk[1]), 1);
        x2 = std::rotl(x2, 1) ^ (t0 + t1 + rk[0]);
    }
    StoreLE32(out, x0 ^ k[0]);
    StoreLE32(out + 4, x1 ^ k[1]);
    StoreLE32(out + 8, x2 ^ k[2]);
    StoreLE32(out + 12, x3 ^ k[3]);
}

DOVREL_CHAINED_BLOCKS_DEF(TTwofish)

}  // namespace dovrel
