// Cross-checks TMisty1 against Botan 2's MISTY1 (RFC 2994, 16-byte keys only) through its
// public BlockCipher interface.
#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Misty1.h"

namespace dovrel::test {
namespace {

std::unique_ptr<Botan::BlockCipher> Oracle() {
    auto c = Botan::BlockCipher::create("MISTY1");
    if (!c)
        ADD_FAILURE() << "Botan has no MISTY1";
    return c;
}

// Random 16-byte keys and blocks, both directions.
TEST(Misty1OracleTest, MatchesBotanForRandomKeys) {
    auto oracle = Oracle();
    ASSERT_TRUE(oracle);
    std::mt19937 rng(20240601);
    TMisty1 ours;
    std::vector<std::uint8_t> key(16), block(8), mine(8), theirs(8);
    for (int k = 0; k < 200; ++k) {
        for (auto& b : key)
            b = static_cast<std::uint8_t>(rng());
        ours.InitKey(key);
        oracle->set_key(key.data(), key.size());
        for (int i = 0; i < 20; ++i) {
            for (auto& b : block)
                b = static_cast<std::uint8_t>(rng());
            ours.EncryptBlock(block.data(), mine.data());
            oracle->encrypt_n(block.data(), theirs.data(), 1);
            ASSERT_EQ(ToHex(mine), ToHex(theirs))
                << "key " << ToHex(key) << " block " << ToHex(block);
            ours.DecryptBlock(block.data(), mine.data());
            oracle->decrypt_n(block.data(), theirs.data(), 1);
            ASSERT_EQ(ToHex(mine), ToHex(theirs))
                << "key " << ToHex(key) << " block " << ToHex(block);
        }
    }
}

// Short keys: ours keyed with n bytes, Botan with the same bytes zero-filled to 16.
TEST(Misty1OracleTest, ShortKeysMatchZeroFilledOracleKey) {
    auto oracle = Oracle();
    ASSERT_TRUE(oracle);
    std::mt19937 rng(77);
    TMisty1 ours;
    std::vector<std::uint8_t> block(8), mine(8), theirs(8);
    for (std::size_t n = 1; n < 16; ++n) {
        std::vector<std::uint8_t> key(n), padded(16, 0);
        for (std::size_t i = 0; i < n; ++i)
            padded[i] = key[i] = static_cast<std::uint8_t>(rng());
        ours.InitKey(key);
        oracle->set_key(padded.data(), padded.size());
        for (auto& b : block)
            b = static_cast<std::uint8_t>(rng());
        ours.EncryptBlock(block.data(), mine.data());
        oracle->encrypt_n(block.data(), theirs.data(), 1);
        EXPECT_EQ(ToHex(mine), ToHex(theirs)) << n << "-byte key " << ToHex(key);
    }
}

}  // namespace
}  // namespace dovrel::test
