// Compares TTripleDes with OpenSSL's DES-EDE3-ECB (three keys) and DES-EDE-ECB (two keys,
// K3 = K1) on random keys and blocks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "crypto/ciphers/TripleDes.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

using test::Bytes;
using test::ToHex;

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
    Bytes b(n);
    test::FillRandom(b, rng);
    return b;
}

Bytes Ours(TTripleDes& c, const Bytes& in, bool encrypt) {
    Bytes out(8);
    if (encrypt)
        c.EncryptBlock(in.data(), out.data());
    else
        c.DecryptBlock(in.data(), out.data());
    return out;
}

TEST(TripleDesOracle, ThreeKeyMatchesOpenSsl) {
    std::mt19937 rng(67);
    TTripleDes tdes;
    test::CompareRandom(tdes, test::OpenSslOracle("DES-EDE3-ECB"), rng, 24, 300);
}

// Keying with K1 K2 K1 written out is two-key triple DES.
TEST(TripleDesOracle, TwoKeyFormMatchesOpenSsl) {
    std::mt19937 rng(672);
    TTripleDes tdes;
    const auto twoKey = test::OpenSslOracle(
        "DES-EDE-ECB", [](const Bytes& key) { return Bytes(key.begin(), key.begin() + 16); });
    for (int i = 0; i < 200; ++i) {
        const Bytes k12 = RandomBytes(rng, 16), block = RandomBytes(rng, 8);
        Bytes key = k12;
        key.resize(24);
        std::copy_n(k12.begin(), 8, key.begin() + 16);
        SCOPED_TRACE("key " + ToHex(key));
        tdes.InitKey(key);
        twoKey.setKey(key);
        ASSERT_NO_FATAL_FAILURE(test::ExpectSameBlock(tdes, twoKey, block));
    }
}

// The program's 20-byte key is three-key triple DES on the key plus four zero bytes, and
// not two-key triple DES on its first 16 bytes.
TEST(TripleDesOracle, TwentyByteKeyIsThreeKeyWithZeroPadding) {
    std::mt19937 rng(6720);
    TTripleDes tdes;
    const auto padded = test::OpenSslOracle(
        "DES-EDE3-ECB", [](const Bytes& key) { return test::ZeroExtended(key, 24); });
    for (int i = 0; i < 300; ++i) {
        const Bytes key = RandomBytes(rng, 20), block = RandomBytes(rng, 8);
        const Bytes firstSixteen(key.begin(), key.begin() + 16);
        SCOPED_TRACE("key " + ToHex(key));
        tdes.InitKey(key);
        padded.setKey(key);
        ASSERT_NO_FATAL_FAILURE(test::ExpectSameBlock(tdes, padded, block));
        for (bool enc : {true, false}) {
            ASSERT_NE(ToHex(Ours(tdes, block, enc)),
                      ToHex(test::OpenSslBlock("DES-EDE-ECB", firstSixteen, block, enc)));
        }
    }
}

}  // namespace
}  // namespace dovrel
