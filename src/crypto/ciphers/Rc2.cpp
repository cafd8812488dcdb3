// RC2, RFC 2268.

#include "crypto/ciphers/Rc2.h"

#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "platform/Error.h"

namespace dovrel {

namespace {

// PITABLE, RFC 2268 section 2.
constexpr std::uint8_t kPiTable[256] = {
    0xd9, 0x78, 0xf9, 0xc4, 0x19, 0xdd, 0xb5, 0xed, 0x28, 0xe9, 0xfd, 0x79, 0x4a, 0xa0, 0xd8, 0x9d,
    0xc6, 0x7e, 0x37, 0x83, 0x2b, 0x76, 0x53, 0x8e, 0x62, 0x4c, 0x64, 0x88, 0x44, 0x8b, 0xfb, 0xa2,
    0x17, 0x9a, 0x59, 0xf5, 0x87, 0xb3, 0x4f, 0x13, 0x61, 0x45, 0x6d, 0x8d, 0x09, 0x81, 0x7d, 0x32,
    0xbd, 0x8f, 0x40, 0xeb, 0x86, 0xb7, 0x7b, 0x0b, 0xf0, 0x95, 0x21, 0x22, 0x5c, 0x6b, 0x4e, 0x82,
    0x54, 0xd6, 0x65, 0x93, 0xce, 0x60, 0xb2, 0x1c, 0x73, 0x56, 0xc0, 0x14, 0xa7, 0x8c, 0xf1, 0xdc,
    0x12, 0x75, 0xca, 0x1f, 0x3b, 0xbe, 0xe4, 0xd1, 0x42, 0x3d, 0xd4, 0x30, 0xa3, 0x3c, 0xb6, 0x26,
    0x6f, 0xbf, 0x0e, 0xda, 0x46, 0x69, 0x07, 0x57, 0x27, 0xf2, 0x1d, 0x9b, 0xbc, 0x94, 0x43, 0x03,
    0xf8, 0x11, 0xc7, 0xf6, 0x90, 0xef, 0x3e, 0xe7, 0x06, 0xc3, 0xd5, 0x2f, 0xc8, 0x66, 0x1e, 0xd7,
    0x08, 0xe8, 0xea, 0xde, 0x80, 0x52, 0xee, 0xf7, 0x84, 0xaa, 0x72, 0xac, 0x35, 0x4d, 0x6a, 0x2a,
    0x96, 0x1a, 0xd2, 0x71, 0x5a, 0x15, 0x49, 0x74, 0x4b, 0x9f, 0xd0, 0x5e, 0x04, 0x18, 0xa4, 0xec,
    0xc2, 0xe0, 0x41, 0x6e, 0x0f, 0x51, 0xcb, 0xcc, 0x24, 0x91, 0xaf, 0x50, 0xa1, 0xf4, 0x70, 0x39,
    0x99, 0x7c, 0x3a, 0x85, 0x23, 0xb8, 0xb4, 0x7a, 0xfc, 0x02, 0x36, 0x5b, 0x25, 0x55, 0x97, 0x31,
    0x2d, 0x5d, 0xfa, 0x98, 0xe3, 0x8a, 0x92, 0xae, 0x05, 0xdf, 0x29, 0x10, 0x67, 0x6c, 0xba, 0xc9,
    0xd3, 0x00, 0xe6, 0xcf, 0xe1, 0x9e, 0xa8, 0x2c, 0x63, 0x16, 0x01, 0x3f, 0x58, 0xe2, 0x89, 0xa9,
    0x0d, 0x38, 0x34, 0x1b, 0xab, 0x33, 0xff, 0xb0, 0xbb, 0x48, 0x0c, 0x5f, 0xb9, 0xb1, 0xcd, 0x2e,
    0xc5, 0xf3, 0xdb, 0x47, 0xe5, 0xa5, 0x9c, 0x77, 0x0a, 0xa6, 0x20, 0x68, 0xfe, 0x7f, 0xc1, 0xad,
};

// Written so that compilers emit 16-bit rotate instructions.
inline std::uint16_t Rol16(unsigned x, int s) {
    const auto v = static_cast<std::uint16_t>(x);
    return static_cast<std::uint16_t>(v << s | v >> (16 - s));
}

inline std::uint16_t Ror16(unsigned x, int s) {
    const auto v = static_cast<std::uint16_t>(x);
    return static_cast<std::uint16_t>(v >> s | v << (16 - s));
}

}  // namespace

TRc2::TRc2(int effectiveKeyBits) : TBlockCipher64(1024), effectiveKeyBits_(effectiveKeyBits) {
    if (effectiveKeyBits < 1 || effectiveKeyBits > 1024) {
        throw Error(L"Invalid effective key size");
    }
}

// RFC 2268 section 2. With T1 = 1024 the reduction to T1 bits only replaces L[0] by
// PITABLE[L[0]].
void TRc2::SetupKey(std::span<const std::uint8_t> key) {
    const std::size_t t = key.size();  // 1..128, checked by InitKey
    std::uint8_t l[128];
    for (std::size_t i = 0; i < t; ++i)
        l[i] = key[i];
    for (std::size_t i = t; i < 128; ++i)
        l[i] = kPiTable[(l[i - 1] + l[i - t]) & 0xff];

    const int t8 = (effectiveKeyBits_ + 7) / 8;
    const unsigned tm = 0xffu >> (8 * t8 - effectiveKeyBits_);
    l[128 - t8] = kPiTable[l[128 - t8] & tm];
    for (int i = 127 - t8; i >= 0; --i)
        l[i] = kPiTable[l[i + 1] ^ l[i + t8]];

    for (int i = 0; i < 64; ++i)
        k_[i] = static_cast<std::uint16_t>(l[2 * i] | l[2 * i + 1] << 8);
    SecureWipe(l);
}

void TRc2::WipeSchedule() noexcept {
    SecureWipe(k_);
}

// RFC 2268 section 3: five mixing rounds, a mashing round, six mixing rounds, a mashing
// round and five mixing rounds.
void TRc2::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint16_t r0 = LoadLE16(in), r1 = LoadLE16(in + 2), r2 = LoadLE16(in + 4),
                  r3 = LoadLE16(in + 6);
    const std::uint16_t* k = k_;

    auto mix = [&] {
        r0 = Rol16(r0 + k[0] + (r3 & r2) + (~r3 & r1), 1);
        r1 = Rol16(r1 + k[1] + (r0 & r3) + (~r0 & r2), 2);
        r2 = Rol16(r2 + k[2] + (r1 & r0) + (~r1 & r3), 3);
        r3 = Rol16(r3 + k[3] + (r2 & r1) + (~r2 & r0), 5);
        k += 4;
    };
    auto mash = [&] {
        r0 = static_cast<std::uint16_t>(r0 + k_[r3 & 63]);
        r1 = static_cast<std::uint16_t>(r1 + k_[r0 & 63]);
        r2 = static_cast<std::uint16_t>(r2 + k_[r1 & 63]);
        r3 = static_cast<std::uint16_t>(r3 + k_[r2 & 63]);
    };

    for (int i = 0; i < 5; ++i)
        mix();
    mash();
    for (int i = 0; i < 6; ++i)
        mix();
    mash();
    for (int i = 0; i < 5; ++i)
        mix();

    StoreLE16(out, r0);
    StoreLE16(out + 2, r1);
    StoreLE16(out + 4, r2);
    StoreLE16(out + 6, r3);
}

// RFC 2268 section 4: the same steps undone in reverse order.
void TRc2::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint16_t r0 = LoadLE16(in), r1 = LoadLE16(in + 2), r2 = LoadLE16(in + 4),
                  r3 = LoadLE16(in + 6);
    int j = 60;  // first of the four key words the next mixing round undoes

    auto rmix = [&] {
        r3 = static_cast<std::uint16_t>(Ror16(r3, 5) - k_[j + 3] - (r2 & r1) - (~r2 & r0));
        r2 = static_cast<std::uint16_t>(Ror16(r2, 3) - k_[j + 2] - (r1 & r0) - (~r1 & r3));
        r1 = static_cast<std::uint16_t>(Ror16(r1, 2) - k_[j + 1] - (r0 & r3) - (~r0 & r2));
        r0 = static_cast<std::uint16_t>(Ror16(r0, 1) - k_[j] - (r3 & r2) - (~r3 & r1));
        j -= 4;
    };
    auto rmash = [&] {
        r3 = static_cast<std::uint16_t>(r3 - k_[r2 & 63]);
        r2 = static_cast<std::uint16_t>(r2 - k_[r1 & 63]);
        r1 = static_cast<std::uint16_t>(r1 - k_[r0 & 63]);
        r0 = static_cast<std::uint16_t>(r0 - k_[r3 & 63]);
    };

    for (int i = 0; i < 5; ++i)
        rmix();
    rmash();
    for (int i = 0; i < 6; ++i)
        rmix();
    rmash();
    for (int i = 0; i < 5; ++i)
        rmix();

    StoreLE16(out, r0);
    StoreLE16(out + 2, r1);
    StoreLE16(out + 4, r2);
    StoreLE16(out + 6, r3);
}

DOVREL_CHAINED_BLOCKS_DEF(TRc2)

}  // namespace dovrel
