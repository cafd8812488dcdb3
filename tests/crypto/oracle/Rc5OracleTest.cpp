// Compares TRc5 with Crypto++'s RC5 (32-bit words, 12 rounds) block by block. OpenSSL as
// packaged here is built without RC5.
#include <cryptopp/rc5.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Rc5.h"

namespace dovrel {
namespace {

using test::ToHex;

std::vector<std::uint8_t> OracleEncrypt(const std::vector<std::uint8_t>& key,
                                        const std::vector<std::uint8_t>& block) {
    CryptoPP::RC5::Encryption e(key.data(), key.size(), TRc5::kRounds);
    std::vector<std::uint8_t> out(CryptoPP::RC5::BLOCKSIZE);
    e.ProcessBlock(block.data(), out.data());
    return out;
}

void CompareRandom(std::size_t keyBytes, std::mt19937& rng, int count) {
    TRc5 c;
    std::vector<std::uint8_t> key(keyBytes), block(8), ours(8);
    for (int i = 0; i < count; ++i) {
        for (auto& b : key)
            b = static_cast<std::uint8_t>(rng());
        for (auto& b : block)
            b = static_cast<std::uint8_t>(rng());
        c.InitKey(key);
        c.EncryptBlock(block.data(), ours.data());
        ASSERT_EQ(ToHex(ours), ToHex(OracleEncrypt(key, block)))
            << "key " << ToHex(key) << " block " << ToHex(block);
    }
}

TEST(Rc5OracleTest, MatchesCryptoppAtCommonKeyLengths) {
    std::mt19937 rng(2040);
    for (std::size_t n : {20u, 16u, 8u, 5u, 1u, 32u})
        CompareRandom(n, rng, 200);
}

TEST(Rc5OracleTest, MatchesCryptoppAtRandomKeyLengths) {
    std::mt19937 rng(12);
    for (int i = 0; i < 300; ++i)
        CompareRandom(1 + rng() % 255, rng, 1);
}

}  // namespace
}  // namespace dovrel
