#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Mars.h"

namespace dovrel {
namespace {

using test::Hex;
using test::ToHex;

// Known answers for the data path alone. IBM's AES round-2 package, file ecb_vk.txt
// (Variable Key KAT, KEYSIZE=128, I=1 and I=2, PT = 0), prints the expanded key next to
// each ciphertext. That package uses the 1999 key expansion, but mixing, core and unmixing
// are the same in the 1998 cipher, so feeding the printed K[0..39] checks them and the
// S-box independently of the key expansion.
struct ExpandedKeyVector {
    mars::TExpandedKey k;
    const char* cipher;
};

const ExpandedKeyVector kEcbVk[] = {
    {{0x7a690123, 0x4a4cf6ee, 0xd1c145fd, 0x4a929170, 0x551a7316, 0xd46b4d1f, 0x6a68b2dd,
      0x52a45b5f, 0xd99775e0, 0xfbec331b, 0x9879762b, 0xdbdb6103, 0xb66dfcd5, 0x560475c7,
      0x897923f4, 0xcb157a67, 0xbe38b5d6, 0xf5e2a20b, 0xdb46b244, 0x258e03fb, 0x4e45dcc8,
      0x38a3bf7b, 0xb600f7b9, 0xce23f06b, 0xb255f1c4, 0x66fe13cb, 0x3fa7323b, 0xe5168ed7,
      0x3c1ca161, 0xac63d7fb, 0x50826e87, 0x87b0e657, 0x77f7012a, 0xc1e7aa83, 0x79d936fc,
      0x56174f97, 0x9f8f4547, 0xc3901cc5, 0xf32a2b2e, 0xc604c22b},
     "b3e2ad5608ac1b6733a7cb4fdf8f9952"},
    {{0xcf784be7, 0x0426f341, 0xf9b720e1, 0x56319d00, 0xd9334c37, 0xb5bc3d47, 0x537983e2,
      0xde39ff7f, 0x0905711b, 0xf94a089f, 0xacb07549, 0xaefd3e8f, 0x90902350, 0xd7aeb43b,
      0x66927c4a, 0x087ba93f, 0xb50d26fd, 0x5e2c832f, 0x06b4a714, 0x88d66bdb, 0x75959004,
      0x88f52893, 0x7e5829bd, 0x6641cb2f, 0xc6338d8a, 0x9e36775b, 0x423b4d94, 0x187cb2cb,
      0xb33208e0, 0x1a81089f, 0xa474b6e8, 0xe0f09a6f, 0x13eaf158, 0x8ef9867b, 0x94e4467f,
      0x7f4e9693, 0xf787318f, 0xdac77605, 0xe8958bc6, 0xd25f07f0},
     "8655d5ccaf76a3a8aa09841f04689465"},
};

TEST(MarsTest, DataPathMatchesPublishedExpandedKeyVectors) {
    const std::vector<std::uint8_t> zero(16, 0);
    for (const auto& v : kEcbVk) {
        SCOPED_TRACE(v.cipher);
        std::vector<std::uint8_t> out(16), back(16);
        mars::Encrypt(v.k, zero.data(), out.data());
        EXPECT_EQ(ToHex(out), v.cipher);
        mars::Decrypt(v.k, out.data(), back.data());
        EXPECT_EQ(ToHex(back), ToHex(zero));
    }
}

// The repair mask marks the interior of every run of ten or more equal bits, never bits 0
// and 1. Expected values follow that definition bit by bit. The 1998 procedure kept bit 31
// of the mask when it closed a run of zeros (it cleared it only under a 1); the 1999
// revision always clears it, which is what the first two rows tell apart.
TEST(MarsTest, RepairMaskFollowsTheRunDefinition) {
    struct Case {
        std::uint32_t w, mask;
    };
    const Case cases[] = {
        {0x00000003, 0xfffffff8},  // zeros from bit 2 to the top: bit 31 stays (1998)
        {0x001fffff, 0xffcffffc},  // 21 ones at the bottom, 11 zeros at the top
        {0xffffffff, 0x7ffffffc},  // all ones: bit 31 is cleared under a 1
        {0x000ffc03, 0xffe7f800},  // 8 zeros (too short), 10 ones, 12 zeros
        {0xfffff803, 0x7ffff000},  // exactly 9 zeros (too short), then 21 ones
        {0x803ff003, 0x001fe7f8},  // 10 zeros, 10 ones, then a short run below bit 31
        {0x7fe00003, 0x3fcffff8},  // a lone 0 at bit 31 is not part of a long run
        {0xaaaaaaab, 0x00000000},  // no runs at all
    };
    for (const auto& c : cases)
        EXPECT_EQ(mars::RepairMask(c.w), c.mask) << std::hex << c.w;
}

// The repair exists so that every multiplication key K[5], K[7], ..., K[35] ends in binary
// 11 and has no ten equal bits in a row (about one unrepaired word in thirty would).
TEST(MarsTest, MultiplicationKeysAreRepaired) {
    auto longestRun = [](std::uint32_t w) {
        int best = 1, run = 1;
        for (int l = 1; l < 32; ++l) {
            run = ((w >> l) & 1) == ((w >> (l - 1)) & 1) ? run + 1 : 1;
            if (run > best)
                best = run;
        }
        return best;
    };
    std::mt19937 rng(1998);
    std::vector<std::uint8_t> key(20);
    mars::TExpandedKey k;
    for (int round = 0; round < 500; ++round) {
        test::FillRandom(key, rng);
        mars::ExpandKey(key, k);
        for (int i = 5; i <= 35; i += 2) {
            ASSERT_EQ(k[i] & 3, 3u) << ToHex(key) << " K[" << i << "]";
            ASSERT_LT(longestRun(k[i]), 10) << ToHex(key) << " K[" << i << "]";
        }
    }
}

TEST(MarsTest, CommonBehaviourWithProgramKeyLength) {
    TMars c;
    test::ExpectCommonBehaviour(c, 20);
}

// Keys are n = 4 to 39 whole little-endian words; nothing is padded.
TEST(MarsTest, KeyMustBeFourToThirtyNineWholeWords) {
    TMars c;
    EXPECT_EQ(c.MaxKeySize(), 39 * 32);
    for (std::size_t n : {16u, 20u, 24u, 32u, 56u, 156u}) {
        std::vector<std::uint8_t> key(n, 0x5a);
        EXPECT_NO_THROW(c.InitKey(key)) << n;
    }
    for (std::size_t n : {1u, 4u, 12u, 15u, 17u, 19u, 21u, 155u, 157u}) {
        std::vector<std::uint8_t> key(n, 0x5a);
        EXPECT_THROW(c.InitKey(key), Error) << n;
        EXPECT_FALSE(c.HasKey()) << n;
    }
}

// The word count n enters the expansion (T[39] = n and k[i mod n]), so zero words appended
// to a key make a different key.
TEST(MarsTest, AppendedZeroWordsChangeTheKey) {
    const auto key16 = Hex("00112233445566778899aabbccddeeff");
    const auto plain = Hex("0123456789abcdef0123456789abcdef");
    auto encrypt = [&](std::size_t n) {
        return test::FreshEncryptHex<TMars>(test::ZeroExtended(key16, n), plain);
    };
    const auto a = encrypt(16), b = encrypt(20), d = encrypt(32);
    EXPECT_NE(a, b);
    EXPECT_NE(a, d);
    EXPECT_NE(b, d);
}

}  // namespace
}  // namespace dovrel
