#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "crypto/ciphers/Idea.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

using test::ToHex;

// IDEA takes only 16-byte keys, which is also the program's length; a shorter key of ours
// is compared with the library keyed with that key zero-extended.
TEST(IdeaOracle, MatchesBotanForRandomKeysAndBlocks) {
    std::shared_ptr<Botan::BlockCipher> botan = Botan::BlockCipher::create("IDEA");
    ASSERT_NE(botan, nullptr) << "Botan has no IDEA";
    ASSERT_EQ(botan->block_size(), 8u);
    const test::Oracle oracle = test::BotanOracle(
        botan, [](const test::Bytes& key) { return test::ZeroExtended(key, 16); });

    std::mt19937 rng(19910101);
    TIdea c;
    struct Run {
        std::size_t keyBytes;
        int count;
    };
    for (const Run run : {Run{16, 400}, Run{1, 50}, Run{9, 50}, Run{15, 50}}) {
        const std::size_t keyBytes = run.keyBytes;
        for (int i = 0; i < run.count; ++i) {
            std::vector<std::uint8_t> key(keyBytes), block(8);
            test::FillRandom(key, rng);
            test::FillRandom(block, rng);
            // Zero words (standing for 2^16) in the data and in the first subkey take the
            // separate branches of the multiplication.
            if (i % 10 == 0) {
                block[0] = block[1] = 0;
                block[6] = 0;
                block[7] = 1;
            }
            if (i % 10 == 1) {
                key[0] = 0;
                if (keyBytes > 1)
                    key[1] = 0;
            }
            SCOPED_TRACE("key " + ToHex(key));
            c.InitKey(key);
            oracle.setKey(key);
            ASSERT_NO_FATAL_FAILURE(test::ExpectSameBlock(c, oracle, block));
        }
    }
}

}  // namespace
}  // namespace dovrel
