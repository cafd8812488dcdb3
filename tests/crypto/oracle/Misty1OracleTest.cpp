// Cross-checks TMisty1 against Botan 2's MISTY1 (RFC 2994, 16-byte keys only) through its
// public BlockCipher interface.
#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "crypto/ciphers/Misty1.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel::test {
namespace {

// The library's MISTY1, keyed with our key zero-filled to 16 bytes, the only length it
// takes.
class Misty1OracleTest : public testing::Test {
protected:
    void SetUp() override {
        std::shared_ptr<Botan::BlockCipher> c = Botan::BlockCipher::create("MISTY1");
        ASSERT_NE(c, nullptr) << "Botan has no MISTY1";
        botan_ = BotanOracle(c, [](const Bytes& key) { return ZeroExtended(key, 16); });
    }

    Oracle botan_;
};

// Random 16-byte keys and blocks, both directions.
TEST_F(Misty1OracleTest, MatchesBotanForRandomKeys) {
    std::mt19937 rng(20240601);
    TMisty1 ours;
    CompareRandom(ours, botan_, rng, 16, 200, 20);
}

// Short keys: ours keyed with n bytes, Botan with the same bytes zero-filled to 16.
TEST_F(Misty1OracleTest, ShortKeysMatchZeroFilledOracleKey) {
    std::mt19937 rng(77);
    TMisty1 ours;
    for (std::size_t n = 1; n < 16; ++n) {
        SCOPED_TRACE(testing::Message() << n << "-byte key");
        CompareRandom(ours, botan_, rng, n, 1);
    }
}

}  // namespace
}  // namespace dovrel::test
