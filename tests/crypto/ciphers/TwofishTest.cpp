#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Twofish.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::Hex;
using test::ToHex;

// Twofish paper (Schneier et al., 15 June 1998), appendix of test vectors, full
// encryptions with the counting keys; also the AES submission's ecb_ival.txt.
const std::vector<BlockVector> kPaper = {
    {"00000000000000000000000000000000", "00000000000000000000000000000000",
     "9f589f5cf6122c32b6bfec2f2ae8c35a"},
    {"0123456789abcdeffedcba98765432100011223344556677", "00000000000000000000000000000000",
     "cfd1d2e5a9be9cdf501f13b892bd2248"},
    {"0123456789abcdeffedcba987654321000112233445566778899aabbccddeeff",
     "00000000000000000000000000000000", "37527be0052334b89f0cfccae87cfa20"},
};

// AES submission package, ecb_tbl.txt ("Tables Known Answer Test"), entries by KEYSIZE and I.
const std::vector<BlockVector> kEcbTbl = {
    // KEYSIZE=128, I=2, 3, 4, 10
    {"00000000000000000000000000000000", "9f589f5cf6122c32b6bfec2f2ae8c35a",
     "d491db16e7b1c39e86cb086b789f5419"},
    {"9f589f5cf6122c32b6bfec2f2ae8c35a", "d491db16e7b1c39e86cb086b789f5419",
     "019f9809de1711858faac3a3ba20fbc3"},
    {"d491db16e7b1c39e86cb086b789f5419", "019f9809de1711858faac3a3ba20fbc3",
     "6363977de839486297e661c6c9d668eb"},
    {"34c8a5fb2d3d08a170d120ac6d26dbfa", "28530b358c1b42ef277de6d4407fc591",
     "8a8ab983310ed78c8c0ecde030b8dca4"},
    // KEYSIZE=192, I=1, 3, 4
    {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "efa71f788965bd4453f860178fc19101"},
    {"efa71f788965bd4453f860178fc191010000000000000000", "88b2b2706b105e36b446bb6d731a1e88",
     "39da69d6ba4997d585b6dc073ca341b2"},
    {"88b2b2706b105e36b446bb6d731a1e88efa71f788965bd44", "39da69d6ba4997d585b6dc073ca341b2",
     "182b02d81497ea45f9daacdc29193a65"},
    // KEYSIZE=256, I=1, 3, 4
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "57ff739d4dc92c1bd7fc01700cc8216f"},
    {"57ff739d4dc92c1bd7fc01700cc8216f00000000000000000000000000000000",
     "d43bb7556ea32e46f2a282b7d45b4e0d", "90afe91bb288544f2c32dc239b2635e6"},
    {"d43bb7556ea32e46f2a282b7d45b4e0d57ff739d4dc92c1bd7fc01700cc8216f",
     "90afe91bb288544f2c32dc239b2635e6", "6cb4561c40bf0a9705931cb6d408e7fa"},
};

TEST(TwofishTest, PublishedVectors) {
    TTwofish c;
    test::ExpectVectors(c, kPaper);
    test::ExpectVectors(c, kEcbTbl);
}

// ecb_tbl.txt builds each entry from the one before: the key is the previous plaintext
// followed by the previous key, cut to the key size, and the plaintext is the previous
// ciphertext; the file is laid out to exercise the permutation and MDS tables. Walk the
// 49 steps from the all-zero start and compare with the file's I=49 entry.
TEST(TwofishTest, TablesKnownAnswerChain) {
    struct Chain {
        std::size_t keyBytes;
        const char* key49;
        const char* plain49;
        const char* cipher49;
    };
    const Chain chains[] = {
        {16, "bca724a54533c6987e14aa827952f921", "6b459286f3ffd28d49f15b1581b08e42",
         "5d9d4eeffa9151575524f115815a12e0"},
        {24, "fb66522c332fcc4c042abe32fa9e902fdea4f3da75ec7a8e", "f0ab73301125fa21ef70be5385fb76b6",
         "e75449212beef9f4a390bd860a640941"},
        {32, "248a7f3528b168acfdd1386e3f51e30c2e2158bc3e5fc714c1eeeca0ea696d48",
         "431058f4dbc7f734da4f02f04cc4f459", "37fe26ff1cf66175f5ddf4c33b97a205"},
    };
    TTwofish c;
    for (const auto& chain : chains) {
        SCOPED_TRACE(chain.keyBytes);
        std::vector<std::uint8_t> key(chain.keyBytes, 0), plain(16, 0), cipher(16), back(16);
        for (int i = 1; i < 49; ++i) {
            c.InitKey(key);
            c.EncryptBlock(plain.data(), cipher.data());
            c.DecryptBlock(cipher.data(), back.data());
            ASSERT_EQ(back, plain) << "I=" << i;
            std::vector<std::uint8_t> next(plain);
            next.insert(next.end(), key.begin(), key.end());
            next.resize(chain.keyBytes);
            key = next;
            plain = cipher;
        }
        ASSERT_EQ(ToHex(key), chain.key49);
        ASSERT_EQ(ToHex(plain), chain.plain49);
        c.InitKey(key);
        c.EncryptBlock(plain.data(), cipher.data());
        EXPECT_EQ(ToHex(cipher), chain.cipher49);
    }
}

TEST(TwofishTest, CommonBehaviourWithProgramKeyLength) {
    TTwofish c;
    test::ExpectCommonBehaviour(c, 20);
}

TEST(TwofishTest, DecryptsInPlace) {
    TTwofish c;
    test::ExpectDecryptsInPlace(c, kPaper);
}

// Twofish paper 4.3.1: a key of non-standard length equals the key padded with zero bytes
// to the next of 16, 24 or 32 bytes.
TEST(TwofishTest, ShortKeysAreZeroExtended) {
    std::mt19937 rng(99);
    TTwofish c;
    test::ExpectZeroExtensionToStandardLengths(c, rng, {1u, 10u, 15u, 17u, 20u, 23u, 25u, 31u});
}

}  // namespace
}  // namespace dovrel
