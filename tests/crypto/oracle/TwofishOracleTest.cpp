#include <gtest/gtest.h>
#include <nettle/twofish.h>

#include <random>

#include "crypto/ciphers/Twofish.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

// Keys of every length from 1 to 32 bytes, the program's 20 among them: ours keyed with
// the key as given, Nettle with the key zero-extended to 16, 24 or 32 bytes.
TEST(TwofishOracleTest, MatchesNettleForRandomKeysAndBlocks) {
    std::mt19937 rng(4242);
    TTwofish c;
    auto padded = [](const test::Bytes& key) {
        return test::ZeroExtended(key, test::NextStandardKeyBytes(key.size()));
    };
    test::CompareAtEveryKeyLengthUpTo32(
        c, test::NettleOracle(twofish_set_key, twofish_encrypt, twofish_decrypt, padded), rng);
}

}  // namespace
}  // namespace dovrel
