#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "crypto/ciphers/Cast256.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

// Random keys and blocks against Botan's CAST-256, at the program's 20 bytes, at every
// RFC 2612 length (16 to 32 bytes in steps of 4), and at lengths in between, where our
// key must act as the same bytes zero-extended to the next length Botan accepts.
TEST(Cast256Oracle, MatchesBotanForRandomKeysAndBlocks) {
    std::shared_ptr<Botan::BlockCipher> oracle = Botan::BlockCipher::create("CAST-256");
    ASSERT_NE(oracle, nullptr);
    const test::Oracle botan = test::BotanOracle(oracle, [](const test::Bytes& key) {
        return test::ZeroExtended(key, (key.size() + 3) / 4 * 4);
    });
    std::mt19937 rng(2612);
    TCast256 c;
    for (std::size_t keyBytes : {20u, 16u, 24u, 28u, 32u, 17u, 23u, 30u})
        test::CompareRandom(c, botan, rng, keyBytes, 100, 4);
}

}  // namespace
}  // namespace dovrel
