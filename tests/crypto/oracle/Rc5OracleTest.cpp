// Compares TRc5 with Crypto++'s RC5 (32-bit words, 12 rounds) block by block. OpenSSL as
// packaged here is built without RC5.
#include <cryptopp/rc5.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <random>

#include "crypto/ciphers/Rc5.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

TEST(Rc5OracleTest, MatchesCryptoppAtCommonKeyLengths) {
    std::mt19937 rng(2040);
    for (std::size_t n : {20u, 16u, 8u, 5u, 1u, 32u}) {
        TRc5 c;
        test::CompareRandom(c, test::CryptoppOracle<CryptoPP::RC5>(TRc5::kRounds), rng, n, 200);
    }
}

TEST(Rc5OracleTest, MatchesCryptoppAtRandomKeyLengths) {
    std::mt19937 rng(12);
    for (int i = 0; i < 300; ++i) {
        TRc5 c;
        const std::size_t n = 1 + rng() % 255;
        test::CompareRandom(c, test::CryptoppOracle<CryptoPP::RC5>(TRc5::kRounds), rng, n, 1);
    }
}

}  // namespace
}  // namespace dovrel
