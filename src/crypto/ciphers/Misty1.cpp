#include "crypto/ciphers/Misty1.h"

#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// S-boxes of RFC 2994 section 2.3 (S7TABLE and S9TABLE).
// clang-format off
constexpr std::uint8_t kS7[128] = {
    27, 50, 51, 90, 59, 16, 23, 84, 91, 26, 114, 115, 107, 44, 102, 73,
    31, 36, 19, 108, 55, 46, 63, 74, 93, 15, 64, 86, 37, 81, 28, 4,
    11, 70, 32, 13, 123, 53, 68, 66, 43, 30, 65, 20, 75, 121, 21, 111,
    14, 85, 9, 54, 116, 12, 103, 83, 40, 10, 126, 56, 2, 7, 96, 41,
    25, 18, 101, 47, 48, 57, 8, 104, 95, 120, 42, 76, 100, 69, 117, 61,
    89, 72, 3, 87, 124, 79, 98, 60, 29, 33, 94, 39, 106, 112, 77, 58,
    1, 109, 110, 99, 24, 119, 35, 5, 38, 118, 0, 49, 45, 122, 127, 97,
    80, 34, 17, 6, 71, 22, 82, 78, 113, 62, 105, 67, 52, 92, 88, 125,
};
constexpr std::uint16_t kS9[512] = {
    451, 203, 339, 415, 483, 233, 251, 53, 385, 185, 279, 491, 307, 9, 45, 211,
    199, 330, 55, 126, 235, 356, 403, 472, 163, 286, 85, 44, 29, 418, 355, 280,
    331, 338, 466, 15, 43, 48, 314, 229, 273, 312, 398, 99, 227, 200, 500, 27,
    1, 157, 248, 416, 365, 499, 28, 326, 125, 209, 130, 490, 387, 301, 244, 414,
    467, 221, 482, 296, 480, 236, 89, 145, 17, 303, 38, 220, 176, 396, 271, 503,
    231, 364, 182, 249, 216, 337, 257, 332, 259, 184, 340, 299, 430, 23, 113, 12,
    71, 88, 127, 420, 308, 297, 132, 349, 413, 434, 419, 72, 124, 81, 458, 35,
    317, 423, 357, 59, 66, 218, 402, 206, 193, 107, 159, 497, 300, 388, 250, 406,
    481, 361, 381, 49, 384, 266, 148, 474, 390, 318, 284, 96, 373, 463, 103, 281,
    101, 104, 153, 336, 8, 7, 380, 183, 36, 25, 222, 295, 219, 228, 425, 82,
    265, 144, 412, 449, 40, 435, 309, 362, 374, 223, 485, 392, 197, 366, 478, 433,
    195, 479, 54, 238, 494, 240, 147, 73, 154, 438, 105, 129, 293, 11, 94, 180,
    329, 455, 372, 62, 315, 439, 142, 454, 174, 16, 149, 495, 78, 242, 509, 133,
    253, 246, 160, 367, 131, 138, 342, 155, 316, 263, 359, 152, 464, 489, 3, 510,
    189, 290, 137, 210, 399, 18, 51, 106, 322, 237, 368, 283, 226, 335, 344, 305,
    327, 93, 275, 461, 121, 353, 421, 377, 158, 436, 204, 34, 306, 26, 232, 4,
    391, 493, 407, 57, 447, 471, 39, 395, 198, 156, 208, 334, 108, 52, 498, 110,
    202, 37, 186, 401, 254, 19, 262, 47, 429, 370, 475, 192, 267, 470, 245, 492,
    269, 118, 276, 427, 117, 268, 484, 345, 84, 287, 75, 196, 446, 247, 41, 164,
    14, 496, 119, 77, 378, 134, 139, 179, 369, 191, 270, 260, 151, 347, 352, 360,
    215, 187, 102, 462, 252, 146, 453, 111, 22, 74, 161, 313, 175, 241, 400, 10,
    426, 323, 379, 86, 397, 358, 212, 507, 333, 404, 410, 135, 504, 291, 167, 440,
    321, 60, 505, 320, 42, 341, 282, 417, 408, 213, 294, 431, 97, 302, 343, 476,
    114, 394, 170, 150, 277, 239, 69, 123, 141, 325, 83, 95, 376, 178, 46, 32,
    469, 63, 457, 487, 428, 68, 56, 20, 177, 363, 171, 181, 90, 386, 456, 468,
    24, 375, 100, 207, 109, 256, 409, 304, 346, 5, 288, 443, 445, 224, 79, 214,
    319, 452, 298, 21, 6, 255, 411, 166, 67, 136, 80, 351, 488, 289, 115, 382,
    188, 194, 201, 371, 393, 501, 116, 460, 486, 424, 405, 31, 65, 13, 442, 50,
    61, 465, 128, 168, 87, 441, 354, 328, 217, 261, 98, 122, 33, 511, 274, 264,
    448, 169, 285, 432, 422, 205, 243, 92, 258, 91, 473, 324, 502, 173, 165, 58,
    459, 310, 383, 70, 225, 30, 477, 230, 311, 506, 389, 140, 143, 64, 437, 190,
    120, 0, 172, 272, 350, 292, 2, 444, 162, 234, 112, 508, 278, 348, 76, 450,
};
// clang-format on

// RFC 2994 section 2.3, function FI: a 9-bit/7-bit unbalanced Feistel network on 16 bits.
// The key comes split into its high 7 and low 9 bits (EK[24..31] and EK[16..23]).
inline std::uint32_t FI(std::uint32_t in, std::uint32_t key7, std::uint32_t key9) {
    std::uint32_t d9 = in >> 7, d7 = in & 0x7f;
    d9 = kS9[d9] ^ d7;
    d7 = ((kS7[d7] ^ d9) & 0x7f) ^ key7;
    d9 = kS9[d9 ^ key9] ^ d7;
    return d7 << 9 | d9;
}

// The 64-bit state is kept as four 16-bit halves: D0 = h0:l0 and D1 = h1:l1.

// D1 ^= FO(D0, K); the subkey indices are those of RFC 2994 section 2.3, where
// KIij = EK[n + 8] is used as its halves EK[n + 24] (high 7 bits) and EK[n + 16].
template <int K>
inline void FO(std::uint32_t h0, std::uint32_t l0, std::uint32_t& h1, std::uint32_t& l1,
               const std::uint16_t* ek) {
    constexpr int ki1 = (K + 5) % 8, ki2 = (K + 1) % 8, ki3 = (K + 3) % 8;
    std::uint32_t t0 = FI(h0 ^ ek[K], ek[ki1 + 24], ek[ki1 + 16]) ^ l0;
    std::uint32_t t1 = FI(l0 ^ ek[(K + 2) % 8], ek[ki2 + 24], ek[ki2 + 16]) ^ t0;
    t0 = FI(t0 ^ ek[(K + 7) % 8], ek[ki3 + 24], ek[ki3 + 16]) ^ t1;
    t1 ^= ek[(K + 4) % 8];
    h1 ^= t1;
    l1 ^= t0;
}

// Function FL of layer K (K = 0..9) on the halves h:l, and its inverse.
template <int K>
inline void FL(std::uint32_t& h, std::uint32_t& l, const std::uint16_t* ek) {
    if constexpr (K % 2 == 0) {
        l ^= h & ek[K / 2];
        h ^= l | ek[(K / 2 + 6) % 8 + 8];
    } else {
        l ^= h & ek[((K - 1) / 2 + 2) % 8 + 8];
        h ^= l | ek[((K - 1) / 2 + 4) % 8];
    }
}

template <int K>
inline void FLInv(std::uint32_t& h, std::uint32_t& l, const std::uint16_t* ek) {
    if constexpr (K % 2 == 0) {
        h ^= l | ek[(K / 2 + 6) % 8 + 8];
        l ^= h & ek[K / 2];
    } else {
        h ^= l | ek[((K - 1) / 2 + 4) % 8];
        l ^= h & ek[((K - 1) / 2 + 2) % 8 + 8];
    }
}

}  // namespace

void TMisty1::SetupKey(std::span<const std::uint8_t> key) {
    std::uint8_t k[16] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        k[i] = key[i];
    for (int i = 0; i < 8; ++i)
        ek_[i] = static_cast<std::uint16_t>(k[2 * i] << 8 | k[2 * i + 1]);
    for (int i = 0; i < 8; ++i) {
        const std::uint32_t next = ek_[(i + 1) % 8];
        ek_[i + 8] = static_cast<std::uint16_t>(FI(ek_[i], next >> 9, next & 0x1ff));
        ek_[i + 16] = ek_[i + 8] & 0x1ff;
        ek_[i + 24] = ek_[i + 8] >> 9;
    }
    SecureWipe(k);
}

void TMisty1::WipeSchedule() noexcept {
    SecureWipe(ek_);
}

void TMisty1::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint16_t* ek = ek_;
    std::uint32_t h0 = LoadBE16(in), l0 = LoadBE16(in + 2), h1 = LoadBE16(in + 4),
                  l1 = LoadBE16(in + 6);
    FL<0>(h0, l0, ek);
    FL<1>(h1, l1, ek);
    FO<0>(h0, l0, h1, l1, ek);
    FO<1>(h1, l1, h0, l0, ek);
    FL<2>(h0, l0, ek);
    FL<3>(h1, l1, ek);
    FO<2>(h0, l0, h1, l1, ek);
    FO<3>(h1, l1, h0, l0, ek);
    FL<4>(h0, l0, ek);
    FL<5>(h1, l1, ek);
    FO<4>(h0, l0, h1, l1, ek);
    FO<5>(h1, l1, h0, l0, ek);
    FL<6>(h0, l0, ek);
    FL<7>(h1, l1, ek);
    FO<6>(h0, l0, h1, l1, ek);
    FO<7>(h1, l1, h0, l0, ek);
    FL<8>(h0, l0, ek);
    FL<9>(h1, l1, ek);
    // The halves leave swapped: C = D1 || D0.
    StoreBE16(out, h1);
    StoreBE16(out + 2, l1);
    StoreBE16(out + 4, h0);
    StoreBE16(out + 6, l0);
}

void TMisty1::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    const std::uint16_t* ek = ek_;
    std::uint32_t h1 = LoadBE16(in), l1 = LoadBE16(in + 2), h0 = LoadBE16(in + 4),
                  l0 = LoadBE16(in + 6);
    FLInv<8>(h0, l0, ek);
    FLInv<9>(h1, l1, ek);
    FO<7>(h1, l1, h0, l0, ek);
    FO<6>(h0, l0, h1, l1, ek);
    FLInv<6>(h0, l0, ek);
    FLInv<7>(h1, l1, ek);
    FO<5>(h1, l1, h0, l0, ek);
    FO<4>(h0, l0, h1, l1, ek);
    FLInv<4>(h0, l0, ek);
    FLInv<5>(h1, l1, ek);
    FO<3>(h1, l1, h0, l0, ek);
    FO<2>(h0, l0, h1, l1, ek);
    FLInv<2>(h0, l0, ek);
    FLInv<3>(h1, l1, ek);
    FO<1>(h1, l1, h0, l0, ek);
    FO<0>(h0, l0, h1, l1, ek);
    FLInv<0>(h0, l0, ek);
    FLInv<1>(h1, l1, ek);
    StoreBE16(out, h0);
    StoreBE16(out + 2, l0);
    StoreBE16(out + 4, h1);
    StoreBE16(out + 6, l1);
}

DOVREL_CHAINED_BLOCKS_DEF(TMisty1)

}  // namespace dovrel
