// Compares TDes with OpenSSL's DES-ECB (legacy provider) on random keys and blocks.

#include <gtest/gtest.h>

#include <random>

#include "crypto/ciphers/Des.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

TEST(DesOracle, MatchesOpenSslOnRandomKeysAndBlocks) {
    std::mt19937 rng(46);
    TDes des;
    test::CompareRandom(des, test::OpenSslOracle("DES-ECB"), rng, 8, 500);
}

}  // namespace
}  // namespace dovrel
