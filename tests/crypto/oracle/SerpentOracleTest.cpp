// Cross-checks TSerpent against Nettle's Serpent through its public API. Nettle takes key
// and block bytes in the NESSIE order, as we do, and extends keys shorter than 32 bytes
// by the same Serpent rule (a 1 bit, then zeros), so the program's 20-byte key can be
// compared directly.
#include <gtest/gtest.h>
#include <nettle/serpent.h>

#include <random>

#include "crypto/ciphers/Serpent.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel::test {
namespace {

void CompareWithNettle(std::size_t keyBytes, int keys, unsigned seed) {
    std::mt19937 rng(seed);
    TSerpent ours;
    CompareRandom(ours, NettleOracle(serpent_set_key, serpent_encrypt, serpent_decrypt), rng,
                  keyBytes, keys, 10);
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
