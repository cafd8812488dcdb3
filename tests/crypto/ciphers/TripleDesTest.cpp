#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Des.h"
#include "crypto/ciphers/TripleDes.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::EncryptHex;
using test::Hex;
using test::ToHex;
using Bytes = std::vector<std::uint8_t>;

// NIST SP 800-67 Rev. 1, Appendix B.1: three-key TDEA in ECB mode, K1 = 0123456789ABCDEF,
// K2 = 23456789ABCDEF01, K3 = 456789ABCDEF0123, plaintext "The qufck brown fox jump".
const std::vector<BlockVector> kSp80067Example = {
    {"0123456789abcdef23456789abcdef01456789abcdef0123", "5468652071756663", "a826fd8ce53b855f"},
    {"0123456789abcdef23456789abcdef01456789abcdef0123", "6b2062726f776e20", "cce21c8112256fe6"},
    {"0123456789abcdef23456789abcdef01456789abcdef0123", "666f78206a756d70", "68d5c05dd9b6b900"},
};

// NIST SP 800-20 TDEA ECB known-answer tests, which run the SP 800-17 tables with
// K1 = K2 = K3: a sample from the variable plaintext, variable key, permutation operation
// and substitution table sets (Tables A.1, A.3, A.4, A.5 in turn).
const std::vector<BlockVector> kSp80020Samples = {
    {"010101010101010101010101010101010101010101010101", "8000000000000000", "95f8a5e5dd31d900"},
    {"010101010101010101010101010101010101010101010101", "0000000000000001", "166b40b44aba4bd6"},
    {"800101010101010180010101010101018001010101010101", "0000000000000000", "95a8d72813daa94d"},
    {"010101010101010201010101010101020101010101010102", "0000000000000000", "869efd7f9f265a09"},
    {"104691348998013110469134899801311046913489980131", "0000000000000000", "88d55e54f54c97b4"},
    {"100291169810010110029116981001011002911698100101", "0000000000000000", "1aeac39a61f0a464"},
    {"7ca110454a1a6e577ca110454a1a6e577ca110454a1a6e57", "01a1d6d039776742", "690f5b0d9a26939b"},
    {"1c587f1c13924fef1c587f1c13924fef1c587f1c13924fef", "305532286d6f295a", "63fac0d034d9f793"},
};

TEST(TripleDes, Sp80067ThreeKeyExample) {
    TTripleDes tdes;
    test::ExpectVectors(tdes, kSp80067Example);
}

TEST(TripleDes, Sp80020EqualKeysGiveSingleDes) {
    TTripleDes tdes;
    test::ExpectVectors(tdes, kSp80020Samples);
}

TEST(TripleDes, CommonBehaviour) {
    TTripleDes tdes;
    test::ExpectCommonBehaviour(tdes, 20);
}

// The program's 20-byte key: K1 = bytes 0-7, K2 = bytes 8-15, K3 = bytes 16-19 and four
// zero bytes. Checked against single DES composed by hand, E(K3, D(K2, E(K1, P))), and
// against keying with the zero bytes written out; it must not fall back to K3 = K1.
TEST(TripleDes, TwentyByteKeyUsesZeroPaddedThirdKey) {
    std::mt19937 rng(2024);
    TTripleDes tdes;
    TDes des;
    for (int round = 0; round < 20; ++round) {
        Bytes key(20), plain(8);
        test::FillRandom(key, rng);
        test::FillRandom(plain, rng);
        SCOPED_TRACE(ToHex(key));

        const Bytes k1(key.begin(), key.begin() + 8), k2(key.begin() + 8, key.begin() + 16);
        const Bytes k3 = test::ZeroExtended({key.begin() + 16, key.end()}, 8);
        Bytes step(8);
        des.InitKey(k1);
        des.EncryptBlock(plain.data(), step.data());
        des.InitKey(k2);
        des.DecryptBlock(step.data(), step.data());
        const std::string expected = EncryptHex(des, k3, step);

        const std::string got = EncryptHex(tdes, key, plain);
        EXPECT_EQ(got, expected);

        EXPECT_EQ(EncryptHex(tdes, test::ZeroExtended(key, 24), plain), got);

        Bytes twoKey(key.begin(), key.begin() + 16);
        twoKey.insert(twoKey.end(), k1.begin(), k1.end());
        EXPECT_NE(EncryptHex(tdes, twoKey, plain), got);
    }
}

// Every key length below 24 bytes behaves as the key zero-extended to 24 bytes.
TEST(TripleDes, ShortKeysAreZeroExtended) {
    const Bytes full = Hex("0123456789abcdef23456789abcdef01456789abcdef0123");
    const Bytes plain = Hex("5468652071756663");
    TTripleDes tdes;
    for (std::size_t n = 1; n < 24; ++n)
        test::ExpectZeroExtension(tdes, {full.begin(), full.begin() + n}, 24, plain);
}

TEST(TripleDes, RejectsKeyLongerThan192Bits) {
    TTripleDes tdes;
    EXPECT_EQ(tdes.MaxKeySize(), 192);
    EXPECT_EQ(tdes.BlockSize(), 64);
    const Bytes tooLong(25, 0x11);
    EXPECT_THROW(tdes.InitKey(tooLong), Error);
}

}  // namespace
}  // namespace dovrel
