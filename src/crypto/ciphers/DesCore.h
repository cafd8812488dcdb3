#pragma once

// The DES algorithm of FIPS 46-3, shared by TDes and TTripleDes: the key schedule and
// the sixteen rounds on a block already through the initial permutation.
//
// Bits are numbered as in FIPS 46-3: bit 1 is the most significant bit of the first byte.
// The round function uses the usual combined tables: each S-box merged with the P
// permutation into 64 32-bit words, so f(R, K) is eight lookups. The halves are kept
// rotated right by 3 bits during the rounds, which puts the E expansion's eight 6-bit
// groups at the bottom of the bytes of R and of R rotated by 4 more bits; the subkeys
// are stored in the same layout, so no expansion is computed per round.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "crypto/ByteOrder.h"

namespace dovrel::des_core {

// Subkey words per key: two per round.
inline constexpr std::size_t kScheduleWords = 32;

using Schedule = std::uint32_t[kScheduleWords];

namespace detail {

// FIPS 46-3, S1 to S8; each box as four rows of sixteen columns.
// clang-format off
inline constexpr std::uint8_t kSBoxes[8][64] = {
    {14,  4, 13,  1,  2, 15, 11,  8,  3, 10,  6, 12,  5,  9,  0,  7,
      0, 15,  7,  4, 14,  2, 13,  1, 10,  6, 12, 11,  9,  5,  3,  8,
      4,  1, 14,  8, 13,  6,  2, 11, 15, 12,  9,  7,  3, 10,  5,  0,
     15, 12,  8,  2,  4,  9,  1,  7,  5, 11,  3, 14, 10,  0,  6, 13},
    {15,  1,  8, 14,  6, 11,  3,  4,  9,  7,  2, 13, 12,  0,  5, 10,
      3, 13,  4,  7, 15,  2,  8, 14, 12,  0,  1, 10,  6,  9, 11,  5,
      0, 14,  7, 11, 10,  4, 13,  1,  5,  8, 12,  6,  9,  3,  2, 15,
     13,  8, 10,  1,  3, 15,  4,  2, 11,  6,  7, 12,  0,  5, 14,  9},
    {10,  0,  9, 14,  6,  3, 15,  5,  1, 13, 12,  7, 11,  4,  2,  8,
     13,  7,  0,  9,  3,  4,  6, 10,  2,  8,  5, 14, 12, 11, 15,  1,
     13,  6,  4,  9,  8, 15,  3,  0, 11,  1,  2, 12,  5, 10, 14,  7,
      1, 10, 13,  0,  6,  9,  8,  7,  4, 15, 14,  3, 11,  5,  2, 12},
    { 7, 13, 14,  3,  0,  6,  9, 10,  1,  2,  8,  5, 11, 12,  4, 15,
     13,  8, 11,  5,  6, 15,  0,  3,  4,  7,  2, 12,  1, 10, 14,  9,
     10,  6,  9,  0, 12, 11,  7, 13, 15,  1,  3, 14,  5,  2,  8,  4,
      3, 15,  0,  6, 10,  1, 13,  8,  9,  4,  5, 11, 12,  7,  2, 14},
    { 2, 12,  4,  1,  7, 10, 11,  6,  8,  5,  3, 15, 13,  0, 14,  9,
     14, 11,  2, 12,  4,  7, 13,  1,  5,  0, 15, 10,  3,  9,  8,  6,
      4,  2,  1, 11, 10, 13,  7,  8, 15,  9, 12,  5,  6,  3,  0, 14,
     11,  8, 12,  7,  1, 14,  2, 13,  6, 15,  0,  9, 10,  4,  5,  3},
    {12,  1, 10, 15,  9,  2,  6,  8,  0, 13,  3,  4, 14,  7,  5, 11,
     10, 15,  4,  2,  7, 12,  9,  5,  6,  1, 13, 14,  0, 11,  3,  8,
      9, 14, 15,  5,  2,  8, 12,  3,  7,  0,  4, 10,  1, 13, 11,  6,
      4,  3,  2, 12,  9,  5, 15, 10, 11, 14,  1,  7,  6,  0,  8, 13},
    { 4, 11,  2, 14, 15,  0,  8, 13,  3, 12,  9,  7,  5, 10,  6,  1,
     13,  0, 11,  7,  4,  9,  1, 10, 14,  3,  5, 12,  2, 15,  8,  6,
      1,  4, 11, 13, 12,  3,  7, 14, 10, 15,  6,  8,  0,  5,  9,  2,
      6, 11, 13,  8,  1,  4, 10,  7,  9,  5,  0, 15, 14,  2,  3, 12},
    {13,  2,  8,  4,  6, 15, 11,  1, 10,  9,  3, 14,  5,  0, 12,  7,
      1, 15, 13,  8, 10,  3,  7,  4, 12,  5,  6, 11,  0, 14,  9,  2,
      7, 11,  4,  1,  9, 12, 14,  2,  0,  6, 10, 13, 15,  3,  5,  8,
      2,  1, 14,  7,  4, 10,  8, 13, 15, 12,  9,  0,  3,  5,  6, 11},
};
// clang-format on

// Every row of every box is a permutation of 0..15; catches a mistyped entry at compile time.
constexpr bool SBoxRowsArePermutations() {
    for (const auto& box : kSBoxes) {
        for (int row = 0; row < 4; ++row) {
            unsigned seen = 0;
            for (int col = 0; col < 16; ++col)
                seen |= 1u << box[row * 16 + col];
            if (seen != 0xffff)
                return false;
        }
    }
    return true;
}
static_assert(SBoxRowsArePermutations());

// FIPS 46-3, the permutation P applied to the S-box outputs.
inline constexpr std::uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23,
                                        26, 5, 18, 31, 10, 2,  8,  24, 14, 32, 27,
                                        3,  9, 19, 13, 30, 6,  22, 11, 4,  25};

// FIPS 46-3, permuted choice 1 (C0 then D0) and permuted choice 2.
inline constexpr std::uint8_t kPc1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                          10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                          63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                          14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};
inline constexpr std::uint8_t kPc2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};
// Left shifts of C and D before each round's subkey.
inline constexpr std::uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// SP[i][v] = P applied to S(i+1)(v) in its place among the 32 S-box output bits, in the
// rotated layout of the halves. v is the box's 6-bit input, first bit most significant;
// the row is the outer two bits and the column the inner four.
constexpr std::array<std::array<std::uint32_t, 64>, 8> MakeSpTables() {
    std::array<std::array<std::uint32_t, 64>, 8> sp{};
    for (int box = 0; box < 8; ++box) {
        for (int v = 0; v < 64; ++v) {
            const int row = ((v >> 4) & 2) | (v & 1);
            const int col = (v >> 1) & 15;
            const std::uint32_t s = kSBoxes[box][row * 16 + col];
            const std::uint32_t placed = s << (28 - 4 * box);  // bits 4*box+1 .. 4*box+4
            std::uint32_t out = 0;
            for (int j = 0; j < 32; ++j) {
                if ((placed >> (32 - kP[j])) & 1)
                    out |= std::uint32_t{1} << (31 - j);
            }
            sp[box][v] = std::rotr(out, 3);
        }
    }
    return sp;
}

inline constexpr auto kSp = MakeSpTables();

// f(R, K) with R in the rotated layout and K as the round's two subkey words.
inline std::uint32_t F(std::uint32_t r, std::uint32_t k0, std::uint32_t k1) noexcept {
    const std::uint32_t a = r ^ k0;
    const std::uint32_t b = std::rotr(r, 4) ^ k1;
    return kSp[0][(a >> 24) & 0x3f] ^ kSp[2][(a >> 16) & 0x3f] ^ kSp[4][(a >> 8) & 0x3f] ^
           kSp[6][a & 0x3f] ^ kSp[7][(b >> 24) & 0x3f] ^ kSp[1][(b >> 16) & 0x3f] ^
           kSp[3][(b >> 8) & 0x3f] ^ kSp[5][b & 0x3f];
}

}  // namespace detail

// Builds the sixteen subkeys of FIPS 46-3 from an 8-byte key; the parity bits (the last
// bit of each byte) are not used, as PC-1 leaves them out. Round i's 48 bits are stored as
// word 2i = groups 1, 3, 5, 7 and word 2i+1 = groups 8, 2, 4, 6, one 6-bit group per byte.
inline void ExpandKey(const std::uint8_t* key, Schedule& ks) noexcept {
    std::uint64_t k = 0;
    for (int i = 0; i < 8; ++i)
        k = k << 8 | key[i];
    std::uint32_t c = 0, d = 0;  // 28 bits each
    for (int i = 0; i < 28; ++i) {
        c = c << 1 | static_cast<std::uint32_t>((k >> (64 - detail::kPc1[i])) & 1);
        d = d << 1 | static_cast<std::uint32_t>((k >> (64 - detail::kPc1[i + 28])) & 1);
    }
    for (int round = 0; round < 16; ++round) {
        const unsigned s = detail::kShifts[round];
        c = ((c << s) | (c >> (28 - s))) & 0x0fffffff;
        d = ((d << s) | (d >> (28 - s))) & 0x0fffffff;
        const std::uint64_t cd = static_cast<std::uint64_t>(c) << 28 | d;  // bits 1..56
        std::uint32_t g[8] = {};
        for (int j = 0; j < 48; ++j) {
            const std::uint32_t bit =
                static_cast<std::uint32_t>((cd >> (56 - detail::kPc2[j])) & 1);
            g[j / 6] = g[j / 6] << 1 | bit;
        }
        ks[2 * round] = g[0] << 24 | g[2] << 16 | g[4] << 8 | g[6];
        ks[2 * round + 1] = g[7] << 24 | g[1] << 16 | g[3] << 8 | g[5];
    }
}

// Exchanges the bits of `a` selected by mask << shift with the bits of `b` selected by mask.
inline void SwapBits(std::uint32_t& a, std::uint32_t& b, unsigned shift,
                     std::uint32_t mask) noexcept {
    const std::uint32_t t = ((a >> shift) ^ b) & mask;
    b ^= t;
    a ^= t << shift;
}

// Reads a block big-endian and applies the initial permutation IP, leaving the halves in
// the rotated round layout. IP is the usual sequence of five bit-group exchanges between
// the two words (together a transposition of the block as an 8x8 bit matrix, plus
// reordering), which gives L0 and R0 exactly.
inline void LoadBlock(const std::uint8_t* in, std::uint32_t& l, std::uint32_t& r) noexcept {
    l = LoadBE32(in);
    r = LoadBE32(in + 4);
    SwapBits(l, r, 4, 0x0f0f0f0f);
    SwapBits(l, r, 16, 0x0000ffff);
    SwapBits(r, l, 2, 0x33333333);
    SwapBits(r, l, 8, 0x00ff00ff);
    SwapBits(l, r, 1, 0x55555555);
    l = std::rotr(l, 3);
    r = std::rotr(r, 3);
}

// The inverse of LoadBlock: each exchange is its own inverse, so IP^-1 is the same
// exchanges in reverse order.
inline void StoreBlock(std::uint32_t l, std::uint32_t r, std::uint8_t* out) noexcept {
    l = std::rotl(l, 3);
    r = std::rotl(r, 3);
    SwapBits(l, r, 1, 0x55555555);
    SwapBits(r, l, 8, 0x00ff00ff);
    SwapBits(r, l, 2, 0x33333333);
    SwapBits(l, r, 16, 0x0000ffff);
    SwapBits(l, r, 4, 0x0f0f0f0f);
    StoreBE32(out, l);
    StoreBE32(out + 4, r);
}

// The sixteen rounds, subkeys in order to encrypt and reversed to decrypt. (l, r) come in
// as L0 R0 and leave as the preoutput R16 L16, ready for StoreBlock or, in triple DES,
// for the next sixteen rounds: IP undoes the IP^-1 that would come between them.
template <bool Decrypt>
inline void Rounds(std::uint32_t& l, std::uint32_t& r, const Schedule& ks) noexcept {
    for (int i = 0; i < 16; i += 2) {
        const int a = Decrypt ? 15 - i : i;
        const int b = Decrypt ? 14 - i : i + 1;
        l ^= detail::F(r, ks[2 * a], ks[2 * a + 1]);
        r ^= detail::F(l, ks[2 * b], ks[2 * b + 1]);
    }
    const std::uint32_t t = l;
    l = r;
    r = t;
}

// CBC over whole blocks with the chaining value kept after IP. IP and IP^-1 are bit
// permutations, so the XOR of the chain commutes with them: only the rounds stand between
// one block and the next, and the permutations of the data run beside them.
template <class RoundsFn>
inline void EncryptChained(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                           std::size_t blocks, RoundsFn&& rounds) noexcept {
    std::uint32_t cl, cr;
    LoadBlock(cv, cl, cr);
    for (; blocks != 0; --blocks, in += 8, out += 8) {
        std::uint32_t l, r;
        LoadBlock(in, l, r);
        cl ^= l;
        cr ^= r;
        rounds(cl, cr);
        StoreBlock(cl, cr, out);
    }
    StoreBlock(cl, cr, cv);
}

template <class RoundsFn>
inline void DecryptChained(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                           std::size_t blocks, RoundsFn&& rounds) noexcept {
    std::uint32_t cl, cr;
    LoadBlock(cv, cl, cr);
    for (; blocks != 0; --blocks, in += 8, out += 8) {
        std::uint32_t tl, tr;
        LoadBlock(in, tl, tr);
        std::uint32_t l = tl, r = tr;
        rounds(l, r);
        StoreBlock(l ^ cl, r ^ cr, out);
        cl = tl;
        cr = tr;
    }
    StoreBlock(cl, cr, cv);
}

}  // namespace dovrel::des_core
