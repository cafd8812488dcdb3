#include <gtest/gtest.h>

#include <random>

#include "crypto/ciphers/Blowfish.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

// OpenSSL's Blowfish in ECB, with the key length set explicitly (the cipher's default is
// 16 bytes).
TEST(BlowfishOracle, MatchesOpenSslForRandomKeysAndBlocks) {
    std::mt19937 rng(20240601);
    TBlowfish c;
    // 20 bytes is the program's key; the others cover the usual sizes and both limits.
    for (std::size_t keyBytes : {20u, 1u, 4u, 7u, 8u, 16u, 24u, 32u, 33u, 56u})
        test::CompareRandom(c, test::OpenSslOracle("BF-ECB"), rng, keyBytes, 40);
}

}  // namespace
}  // namespace dovrel
