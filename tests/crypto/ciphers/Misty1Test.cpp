#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Misty1.h"

namespace dovrel::test {
namespace {

// RFC 2994, example data of MISTY1: one key, two plaintext blocks.
const std::vector<BlockVector> kRfc2994Vectors = {
    {"00112233445566778899aabbccddeeff", "0123456789abcdef", "8b1da5f56ab3d07c"},
    {"00112233445566778899aabbccddeeff", "fedcba9876543210", "04b68240b13be95d"},
};

TEST(Misty1Test, Rfc2994Vectors) {
    TMisty1 c;
    ExpectVectors(c, kRfc2994Vectors);
}

TEST(Misty1Test, CommonBehaviour) {
    TMisty1 c;
    EXPECT_EQ(c.BlockSize(), 64);
    EXPECT_EQ(c.MaxKeySize(), 128);
    ExpectCommonBehaviour(c, 16);
}

// A key shorter than 16 bytes behaves as if zero bytes were appended.
TEST(Misty1Test, ShortKeyIsZeroExtended) {
    const auto plain = Hex("0123456789abcdef");
    for (std::size_t n : {1u, 5u, 8u, 15u}) {
        std::vector<std::uint8_t> key(n);
        for (std::size_t i = 0; i < n; ++i)
            key[i] = static_cast<std::uint8_t>(0xa5 ^ i * 29);
        EXPECT_EQ(FreshEncryptHex<TMisty1>(key, plain),
                  FreshEncryptHex<TMisty1>(ZeroExtended(key, 16), plain))
            << n;
    }
}

}  // namespace
}  // namespace dovrel::test
