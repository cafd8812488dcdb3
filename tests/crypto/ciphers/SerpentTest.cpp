#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Serpent.h"

namespace dovrel::test {
namespace {

// NESSIE test vectors for Serpent, as published by E. Biham (Serpent-128-128,
// Serpent-192-128 and Serpent-256-128 .verified.test-vectors), in NESSIE byte order.
const std::vector<BlockVector> kNessie128 = {
    // Set 1, vectors 0-3: one key bit set, zero plaintext.
    {"80000000000000000000000000000000", "00000000000000000000000000000000",
     "264e5481eff42a4606abda06c0bfda3d"},
    {"40000000000000000000000000000000", "00000000000000000000000000000000",
     "4a231b3bc727993407ac6ec8350e8524"},
    {"20000000000000000000000000000000", "00000000000000000000000000000000",
     "e03269f9e9fd853c7d8156df14b98d56"},
    {"10000000000000000000000000000000", "00000000000000000000000000000000",
     "a798181c3081ac59d5ba89754dacc48f"},
    // Set 2, vectors 0-3: zero key, one plaintext bit set.
    {"00000000000000000000000000000000", "80000000000000000000000000000000",
     "a3b35de7c358ddd82644678c64b8bcbb"},
    {"00000000000000000000000000000000", "40000000000000000000000000000000",
     "04abcfe4e0af27ff92a2bb10949d7dd2"},
    {"00000000000000000000000000000000", "20000000000000000000000000000000",
     "8f773194b78ef2b2740237ef12d08608"},
    {"00000000000000000000000000000000", "10000000000000000000000000000000",
     "8b1ea69ee8d7c8d95b1de4a670ec6997"},
    // Set 3, vector 0.
    {"00000000000000000000000000000000", "00000000000000000000000000000000",
     "3620b17ae6a993d09618b8768266bae9"},
    // Set 4, vectors 0-1.
    {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "563e2cf8740a27c164804560391e9b27"},
    {"2bd6459f82c5b300952c49104881ff48", "ea024714ad5c4d84ea024714ad5c4d84",
     "92d7f8ef2c36c53409f275902f06539f"},
};

const std::vector<BlockVector> kNessie192 = {
    // Set 1 vector 0, set 2 vector 0, set 3 vector 0, set 4 vectors 0-1.
    {"800000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "9e274ead9b737bb21efcfca548602689"},
    {"000000000000000000000000000000000000000000000000", "80000000000000000000000000000000",
     "23f5f432ad687e0d4574c16459618abb"},
    {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "a583ef976a292b406bbd5dc8256b0442"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "6ab816c82de53b93005008afa2246a02"},
    {"2bd6459f82c5b300952c49104881ff482bd6459f82c5b300", "ea024714ad5c4d84ea024714ad5c4d84",
     "827b18c2678a239dfc5512842000e204"},
};

const std::vector<BlockVector> kNessie256 = {
    // Set 1 vectors 0-1, set 2 vector 0, set 3 vectors 0 and 17, set 4 vectors 0-1.
    {"8000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "a223aa1288463c0e2be38ebd825616c0"},
    {"4000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "eae1d405570174df7df2f9966d509159"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "80000000000000000000000000000000", "8314675e8ad5c3ecd83d852bcf7f566e"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "49672ba898d98df95019180445491089"},
    {"1111111111111111111111111111111111111111111111111111111111111111",
     "11111111111111111111111111111111", "a482eaa5d5771f2fdb2ea1a5f141b9e2"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "2868b7a2d28ecd5e4fdefac3c4330074"},
    {"2bd6459f82c5b300952c49104881ff482bd6459f82c5b300952c49104881ff48",
     "ea024714ad5c4d84ea024714ad5c4d84", "3e507730776b93fdea661235e1dd99f0"},
};

TEST(SerpentTest, NessieVectors) {
    TSerpent c;
    ExpectVectors(c, kNessie128);
    ExpectVectors(c, kNessie192);
    ExpectVectors(c, kNessie256);
}

TEST(SerpentTest, CommonBehaviour) {
    TSerpent c;
    EXPECT_EQ(c.BlockSize(), 128);
    EXPECT_EQ(c.MaxKeySize(), 256);
    ExpectCommonBehaviour(c, 20);
}

std::vector<std::uint8_t> Encrypt(const std::vector<std::uint8_t>& key,
                                  const std::vector<std::uint8_t>& plain) {
    TSerpent c;
    c.InitKey(key);
    std::vector<std::uint8_t> out(16);
    c.EncryptBlock(plain.data(), out.data());
    return out;
}

// A short key is the same cipher as the 256-bit key with a 1 bit appended and zero
// bits after it; padding with zeros alone is a different key.
TEST(SerpentTest, ShortKeyGetsOneBitThenZeros) {
    const auto plain = Hex("00112233445566778899aabbccddeeff");
    for (std::size_t n : {1u, 16u, 20u, 24u, 31u}) {
        SCOPED_TRACE(n);
        std::vector<std::uint8_t> key(n);
        for (std::size_t i = 0; i < n; ++i)
            key[i] = static_cast<std::uint8_t>(0x3c + 71 * i);
        auto withOne = key, zerosOnly = key;
        withOne.resize(32, 0);
        withOne[n] = 0x01;
        zerosOnly.resize(32, 0);
        EXPECT_EQ(ToHex(Encrypt(key, plain)), ToHex(Encrypt(withOne, plain)));
        EXPECT_NE(ToHex(Encrypt(key, plain)), ToHex(Encrypt(zerosOnly, plain)));
    }
}

}  // namespace
}  // namespace dovrel::test
