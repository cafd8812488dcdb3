#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Cast256.h"

namespace dovrel {
namespace {

using test::ToHex;

// Random keys and blocks against Botan's CAST-256, at the program's 20 bytes, at every
// RFC 2612 length (16 to 32 bytes in steps of 4), and at lengths in between, where our
// key must act as the same bytes zero-extended to the next length Botan accepts.
TEST(Cast256Oracle, MatchesBotanForRandomKeysAndBlocks) {
    auto oracle = Botan::BlockCipher::create("CAST-256");
    ASSERT_NE(oracle, nullptr);
    std::mt19937 rng(2612);
    TCast256 c;
    for (std::size_t keyBytes : {20u, 16u, 24u, 28u, 32u, 17u, 23u, 30u}) {
        for (int i = 0; i < 100; ++i) {
            std::vector<std::uint8_t> key(keyBytes);
            for (auto& b : key)
                b = static_cast<std::uint8_t>(rng());
            auto oracleKey = key;
            oracleKey.resize((keyBytes + 3) / 4 * 4, 0);
            ASSERT_TRUE(oracle->valid_keylength(oracleKey.size()));
            oracle->set_key(oracleKey);
            c.InitKey(key);
            for (int j = 0; j < 4; ++j) {
                std::vector<std::uint8_t> block(16), ours(16), theirs(16), back(16);
                for (auto& b : block)
                    b = static_cast<std::uint8_t>(rng());
                SCOPED_TRACE("key " + ToHex(key) + " block " + ToHex(block));
                c.EncryptBlock(block.data(), ours.data());
                oracle->encrypt(block.data(), theirs.data());
                ASSERT_EQ(ToHex(ours), ToHex(theirs));
                c.DecryptBlock(ours.data(), back.data());
                ASSERT_EQ(back, block);
            }
        }
    }
}

}  // namespace
}  // namespace dovrel
