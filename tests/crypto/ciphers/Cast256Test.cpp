#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Cast256.h"

namespace dovrel {
namespace {

using test::Hex;

// RFC 2612 Appendix A: the 128-, 192- and 256-bit keys with an all-zero plaintext.
TEST(Cast256, Rfc2612Vectors) {
    TCast256 c;
    test::ExpectVectors(
        c, {
               {"2342bb9efa38542c0af75647f29f615d", "00000000000000000000000000000000",
                "c842a08972b43d20836c91d1b7530f6b"},
               {"2342bb9efa38542cbed0ac83940ac298bac77a7717942863",
                "00000000000000000000000000000000", "1b386c0210dcadcbdd0e41aa08a7a7e8"},
               {"2342bb9efa38542cbed0ac83940ac2988d7c47ce264908461cc1b5137ae6b604",
                "00000000000000000000000000000000", "4f6a2038286897b9c9870136553317fa"},
           });
}

TEST(Cast256, CommonBehaviourWithProgramKeyLength) {
    TCast256 c;
    test::ExpectCommonBehaviour(c, 20);
}

// Every key is zero-extended to 256 bits, so a key and the same key followed by zero bytes
// give one cipher; the program's 20-byte key is its 160 bits plus 96 zero bits.
TEST(Cast256, KeysAreZeroExtendedTo256Bits) {
    TCast256 c;
    const auto block = Hex("000102030405060708090a0b0c0d0e0f");
    const auto key20 = Hex("0123456789abcdef fedcba9876543210 a5a5a5a5");
    const auto key32 = test::ZeroExtended(key20, 32);
    test::ExpectZeroExtension(c, key20, 32, block);

    // The 128-bit vector of Appendix A keyed as 32 bytes.
    const auto rfc128 = test::ZeroExtended(Hex("2342bb9efa38542c0af75647f29f615d"), 32);
    EXPECT_EQ(test::EncryptHex(c, rfc128, std::vector<std::uint8_t>(16)),
              "c842a08972b43d20836c91d1b7530f6b");

    // Lengths off the RFC's 32-bit steps follow the same rule.
    for (std::size_t n : {1u, 7u, 17u, 31u}) {
        auto key = std::vector<std::uint8_t>(key32.begin(), key32.begin() + (n - 1));
        key.push_back(0x5c);
        test::ExpectZeroExtension(c, key, 32, block);
    }
}

}  // namespace
}  // namespace dovrel
