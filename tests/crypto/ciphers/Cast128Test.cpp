#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Cast128.h"

namespace dovrel {
namespace {

using test::EncryptHex;
using test::Hex;

// RFC 2144 Appendix B.1, "Single Plaintext-Key-Ciphertext Sets": the 128-, 80- and
// 40-bit keys (the last two run 12 rounds).
TEST(Cast128, Rfc2144SingleBlockVectors) {
    TCast128 c;
    test::ExpectVectors(
        c, {
               {"0123456712345678234567893456789A", "0123456789ABCDEF", "238B4FE5847E44B2"},
               {"01234567123456782345", "0123456789ABCDEF", "EB6A711A2C02271B"},
               {"0123456712", "0123456789ABCDEF", "7AC816D16E9B302E"},
           });
}

TEST(Cast128, CommonBehaviourWithProgramKeyLength) {
    TCast128 c;
    test::ExpectCommonBehaviour(c, 16);
}

// Short keys are zero-padded to 16 bytes, and the round count follows the length that was
// given: up to 10 bytes means 12 rounds, so appending zeros changes nothing until the
// eleventh byte switches to 16 rounds. Keys under the RFC's 40-bit minimum behave as that
// key padded to 5 bytes.
TEST(Cast128, ShortKeysArePaddedAndRoundCountFollowsLength) {
    TCast128 c;
    const auto block = Hex("0123456789ABCDEF");
    const auto twelveRounds = EncryptHex(c, Hex("a1b2c30000"), block);
    EXPECT_EQ(EncryptHex(c, Hex("a1b2c3"), block), twelveRounds);
    EXPECT_EQ(EncryptHex(c, Hex("a1b2c300000000000000"), block), twelveRounds);

    const auto sixteenRounds = EncryptHex(c, Hex("a1b2c30000000000000000"), block);
    EXPECT_NE(sixteenRounds, twelveRounds);
    EXPECT_EQ(EncryptHex(c, Hex("a1b2c300000000000000000000000000"), block), sixteenRounds);
}

TEST(Cast128, RejectsOversizedKey) {
    TCast128 c;
    EXPECT_EQ(c.MaxKeySize(), 128);
    EXPECT_EQ(c.BlockBytes(), 8u);
    EXPECT_THROW(c.InitKey(std::vector<std::uint8_t>(17, 1)), Error);
    EXPECT_FALSE(c.HasKey());
}

}  // namespace
}  // namespace dovrel
