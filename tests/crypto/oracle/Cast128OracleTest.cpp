#include <gtest/gtest.h>
#include <nettle/cast128.h>

#include <random>

#include "crypto/ciphers/Cast128.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

// Enough random keys and blocks that every entry of all eight S-boxes is looked up many
// times, at the program's 16 bytes, at each RFC length, and below the 5-byte minimum.
// Nettle's CAST5 takes the RFC 2144 key sizes, 5 to 16 bytes, with 12 rounds up to 10;
// a shorter key of ours must act as the same bytes zero-padded to 5.
TEST(Cast128Oracle, MatchesNettleForRandomKeysAndBlocks) {
    std::mt19937 rng(2144);
    TCast128 c;
    const auto nettle = test::NettleOracle(
        cast5_set_key, cast128_encrypt, cast128_decrypt, [](const test::Bytes& key) {
            return key.size() < CAST5_MIN_KEY_SIZE ? test::ZeroExtended(key, CAST5_MIN_KEY_SIZE)
                                                   : key;
        });
    for (std::size_t keyBytes = 16; keyBytes >= 1; --keyBytes)
        test::CompareRandom(c, nettle, rng, keyBytes, 60, 4);
}

}  // namespace
}  // namespace dovrel
