// Cross-checks TSerpent against Nettle's Serpent through its public API. Nettle takes key
// and block bytes in the NESSIE order, as we do, and extends keys shorter than 32 bytes
// by the same Serpent rule (a 1 bit, then zeros), so the program's 20-byte key can be
// compared directly.
#include <gtest/gtest.h>
#include <nettle/serpent.h>

#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Serpent.h"

namespace dovrel::test {
namespace {

void CompareWithNettle(std::size_t keyBytes, int keys, unsigned seed) {
    std::mt19937 rng(seed);
    TSerpent ours;
    serpent_ctx theirs;
    std::vector<std::uint8_t> key(keyBytes), block(16), mine(16), oracle(16);
    for (int k = 0; k < keys; ++k) {
        for (auto& b : key)
            b = static_cast<std::uint8_t>(rng());
        ours.InitKey(key);
        serpent_set_key(&theirs, key.size(), key.data());
        for (int i = 0; i < 10; ++i) {
            for (auto& b : block)
                b = static_cast<std::uint8_t>(rng());
            ours.EncryptBlock(block.data(), mine.data());
            serpent_encrypt(&theirs, 16, oracle.data(), block.data());
            ASSERT_EQ(ToHex(mine), ToHex(oracle))
                << "key " << ToHex(key) << " block " << ToHex(block);
            ours.DecryptBlock(block.data(), mine.data());
            serpent_decrypt(&theirs, 16, oracle.data(), block.data());
            ASSERT_EQ(ToHex(mine), ToHex(oracle))
                << "key " << ToHex(key) << " block " << ToHex(block);
        }
    }
}

TEST(SerpentOracleTest, ProgramKeyLength) {
    CompareWithNettle(20, 300, 1);
}

TEST(SerpentOracleTest, StandardKeyLengths) {
    CompareWithNettle(16, 100, 2);
    CompareWithNettle(24, 100, 3);
    CompareWithNettle(32, 100, 4);
}

TEST(SerpentOracleTest, OtherShortKeys) {
    for (std::size_t n : {1u, 7u, 19u, 21u, 31u}) {
        SCOPED_TRACE(n);
        CompareWithNettle(n, 20, static_cast<unsigned>(100 + n));
    }
}

}  // namespace
}  // namespace dovrel::test
