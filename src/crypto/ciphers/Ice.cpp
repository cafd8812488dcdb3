// ICE, after M. Kwan, "The Design of the ICE Encryption Algorithm", Fast Software
// Encryption 1997, and the designer's description of the key schedule and S-boxes.
// One core, parameterised by level, serves the three classes.

#include "crypto/ciphers/Ice.h"

#include <algorithm>
#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace detail {

struct IceSboxes {
    std::uint32_t box[4][1024];
};

}  // namespace detail

namespace {

using detail::IceSboxes;
using detail::IceSubkey;

// Each S-box row r computes (c ^ offset)^7 in GF(2^8) reduced by its own irreducible
// polynomial; the row is the outer two bits of the 10-bit input, the column the inner
// eight.
constexpr unsigned kModulus[4][4] = {
    {333, 313, 505, 369},
    {379, 375, 319, 391},
    {361, 445, 451, 397},
    {397, 425, 395, 505},
};

constexpr unsigned kOffset[4][4] = {
    {0x83, 0x85, 0x9b, 0xcd},
    {0xcc, 0xa7, 0xad, 0x41},
    {0x4b, 0x2e, 0xd4, 0x33},
    {0xea, 0xcb, 0x2e, 0x04},
};

// Destination of each bit of the concatenated S-box outputs (S1 in bits 31..24, S4 in
// bits 7..0), indexed from the least significant bit: every S-box feeds every nibble.
constexpr std::uint32_t kPermutation[32] = {
    0x00000001, 0x00000080, 0x00000400, 0x00002000, 0x00080000, 0x00200000, 0x01000000, 0x40000000,
    0x00000008, 0x00000020, 0x00000100, 0x00004000, 0x00010000, 0x00800000, 0x04000000, 0x20000000,
    0x00000004, 0x00000010, 0x00000200, 0x00008000, 0x00020000, 0x00400000, 0x08000000, 0x10000000,
    0x00000002, 0x00000040, 0x00000800, 0x00001000, 0x00040000, 0x00100000, 0x02000000, 0x80000000,
};

// Which key word starts each round key's extraction; the second row serves the round
// keys that are filled from the end of the schedule.
constexpr int kKeyRotation[16] = {0, 1, 2, 3, 2, 1, 3, 0, 1, 3, 2, 0, 3, 1, 0, 2};

unsigned GfMultiply(unsigned a, unsigned b, unsigned modulus) {
    unsigned product = 0;
    while (b != 0) {
        if (b & 1)
            product ^= a;
        a <<= 1;
        if (a >= 256)
            a ^= modulus;
        b >>= 1;
    }
    return product;
}

unsigned GfPower7(unsigned x, unsigned modulus) {
    const unsigned x2 = GfMultiply(x, x, modulus);
    const unsigned x4 = GfMultiply(x2, x2, modulus);
    return GfMultiply(x, GfMultiply(x2, x4, modulus), modulus);
}

std::uint32_t Permute(std::uint32_t x) {
    std::uint32_t result = 0;
    for (int bit = 0; x != 0; ++bit, x >>= 1) {
        if (x & 1)
            result |= kPermutation[bit];
    }
    return result;
}

// Built on first use; C++ guarantees the initialisation runs once even with threads.
const IceSboxes& Sboxes() {
    static const IceSboxes boxes = [] {
        IceSboxes b{};
        for (unsigned i = 0; i < 1024; ++i) {
            const unsigned column = (i >> 1) & 0xff;
            const unsigned row = (i & 1) | ((i >> 8) & 2);
            for (int s = 0; s < 4; ++s) {
                const std::uint32_t value = GfPower7(column ^ kOffset[s][row], kModulus[s][row]);
                b.box[s][i] = Permute(value << (24 - 8 * s));
            }
        }
        return b;
    }();
    return boxes;
}

// Round function. The 32-bit input expands to four overlapping 10-bit fields (bits
// 24..33 with wrap-around, 16..25, 8..17, 0..9); the keyed permutation swaps bits of the
// left pair with the right pair where the swap mask is set.
inline std::uint32_t Round(const IceSboxes& sb, std::uint32_t p, const IceSubkey& k) {
    const std::uint32_t left = ((p >> 16) & 0x3ff) | (((p >> 14) | (p << 18)) & 0xffc00);
    const std::uint32_t right = (p & 0x3ff) | ((p << 2) & 0xffc00);
    const std::uint32_t swapped = k.swap & (left ^ right);
    const std::uint32_t a = left ^ swapped ^ k.xorLeft;
    const std::uint32_t b = right ^ swapped ^ k.xorRight;
    return sb.box[0][a >> 10] | sb.box[1][a & 0x3ff] | sb.box[2][b >> 10] | sb.box[3][b & 0x3ff];
}

// Eight consecutive round keys from four 16-bit key words. Each bit taken from a word is
// fed back complemented at its top, so the words keep changing for the next eight.
void BuildEight(std::uint16_t (&words)[4], IceSubkey* out, const int* rotation) {
    for (int i = 0; i < 8; ++i) {
        std::uint32_t v[3] = {0, 0, 0};
        const int start = rotation[i];
        for (int j = 0; j < 15; ++j) {
            std::uint32_t& target = v[j % 3];
            for (int k = 0; k < 4; ++k) {
                std::uint16_t& w = words[(start + k) & 3];
                const unsigned bit = w & 1u;
                target = (target << 1) | bit;
                w = static_cast<std::uint16_t>((w >> 1) | ((bit ^ 1u) << 15));
            }
        }
        out[i] = IceSubkey{v[0], v[1], v[2]};
        SecureWipe(v);
    }
}

// Level 0 takes 8 key bytes for 8 rounds; level n >= 1 takes 8n bytes for 16n rounds,
// each 8-byte piece filling eight round keys from the front and eight from the back.
// Shorter keys are extended with zero bytes.
template <int Level, std::size_t Rounds>
void Schedule(std::span<const std::uint8_t> key, IceSubkey (&ks)[Rounds]) {
    constexpr std::size_t kKeyBytes = Level == 0 ? 8 : 8 * Level;
    static_assert(Rounds == (Level == 0 ? 8 : 16 * Level));
    std::uint8_t k[kKeyBytes] = {};
    std::copy_n(key.begin(), std::min(key.size(), kKeyBytes), k);
    std::uint16_t words[4];
    for (std::size_t piece = 0; piece < kKeyBytes / 8; ++piece) {
        const std::uint8_t* p = k + 8 * piece;
        for (int j = 0; j < 4; ++j) {
            words[3 - j] = static_cast<std::uint16_t>(p[2 * j] << 8 | p[2 * j + 1]);
        }
        BuildEight(words, &ks[8 * piece], kKeyRotation);
        if constexpr (Level != 0)
            BuildEight(words, &ks[Rounds - 8 - 8 * piece], kKeyRotation + 8);
    }
    SecureWipe(words);
    SecureWipe(k);
}

// The final swap of the Feistel network is left out, hence the halves' order on output.
template <std::size_t Rounds>
void Encrypt(const IceSboxes& sb, const IceSubkey (&ks)[Rounds], const std::uint8_t* in,
             std::uint8_t* out) {
    std::uint32_t l = LoadBE32(in), r = LoadBE32(in + 4);
    for (std::size_t i = 0; i < Rounds; i += 2) {
        l ^= Round(sb, r, ks[i]);
        r ^= Round(sb, l, ks[i + 1]);
    }
    StoreBE32(out, r);
    StoreBE32(out + 4, l);
}

template <std::size_t Rounds>
void Decrypt(const IceSboxes& sb, const IceSubkey (&ks)[Rounds], const std::uint8_t* in,
             std::uint8_t* out) {
    std::uint32_t l = LoadBE32(in), r = LoadBE32(in + 4);
    for (std::size_t i = Rounds; i != 0; i -= 2) {
        l ^= Round(sb, r, ks[i - 1]);
        r ^= Round(sb, l, ks[i - 2]);
    }
    StoreBE32(out, r);
    StoreBE32(out + 4, l);
}

}  // namespace

TThinIce::TThinIce() : TBlockCipher64(64), sboxes_(&Sboxes()) {}

void TThinIce::SetupKey(std::span<const std::uint8_t> key) {
    Schedule<0>(key, schedule_);
}

void TThinIce::WipeSchedule() noexcept {
    SecureWipe(schedule_);
}

void TThinIce::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Encrypt(*sboxes_, schedule_, in, out);
}

void TThinIce::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Decrypt(*sboxes_, schedule_, in, out);
}

TIce::TIce() : TBlockCipher64(64), sboxes_(&Sboxes()) {}

void TIce::SetupKey(std::span<const std::uint8_t> key) {
    Schedule<1>(key, schedule_);
}

void TIce::WipeSchedule() noexcept {
    SecureWipe(schedule_);
}

void TIce::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Encrypt(*sboxes_, schedule_, in, out);
}

void TIce::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Decrypt(*sboxes_, schedule_, in, out);
}

TIce2::TIce2() : TBlockCipher64(128), sboxes_(&Sboxes()) {}

void TIce2::SetupKey(std::span<const std::uint8_t> key) {
    Schedule<2>(key, schedule_);
}

void TIce2::WipeSchedule() noexcept {
    SecureWipe(schedule_);
}

void TIce2::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Encrypt(*sboxes_, schedule_, in, out);
}

void TIce2::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    Decrypt(*sboxes_, schedule_, in, out);
}

DOVREL_CHAINED_BLOCKS_DEF(TThinIce)
DOVREL_CHAINED_BLOCKS_DEF(TIce)
DOVREL_CHAINED_BLOCKS_DEF(TIce2)

}  // namespace dovrel
