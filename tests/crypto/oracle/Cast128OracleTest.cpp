#include <gtest/gtest.h>
#include <nettle/cast128.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Cast128.h"

namespace dovrel {
namespace {

using test::ToHex;

// Nettle's CAST5 takes the RFC 2144 key sizes, 5 to 16 bytes, with 12 rounds up to 10.
std::vector<std::uint8_t> OracleEncrypt(const std::vector<std::uint8_t>& key,
                                        const std::vector<std::uint8_t>& block) {
    cast128_ctx ctx;
    cast5_set_key(&ctx, key.size(), key.data());
    std::vector<std::uint8_t> out(8);
    cast128_encrypt(&ctx, 8, out.data(), block.data());
    return out;
}

// Enough random keys and blocks that every entry of all eight S-boxes is looked up many
// times, at the program's 16 bytes, at each RFC length, and below the 5-byte minimum,
// where our key must act as the same bytes zero-padded to 5.
TEST(Cast128Oracle, MatchesNettleForRandomKeysAndBlocks) {
    std::mt19937 rng(2144);
    TCast128 c;
    for (std::size_t keyBytes = 16; keyBytes >= 1; --keyBytes) {
        for (int i = 0; i < 60; ++i) {
            std::vector<std::uint8_t> key(keyBytes);
            for (auto& b : key)
                b = static_cast<std::uint8_t>(rng());
            auto oracleKey = key;
            if (oracleKey.size() < CAST5_MIN_KEY_SIZE)
                oracleKey.resize(CAST5_MIN_KEY_SIZE, 0);
            c.InitKey(key);
            for (int j = 0; j < 4; ++j) {
                std::vector<std::uint8_t> block(8), ours(8), back(8);
                for (auto& b : block)
                    b = static_cast<std::uint8_t>(rng());
                SCOPED_TRACE("key " + ToHex(key) + " block " + ToHex(block));
                c.EncryptBlock(block.data(), ours.data());
                ASSERT_EQ(ToHex(ours), ToHex(OracleEncrypt(oracleKey, block)));
                c.DecryptBlock(ours.data(), back.data());
                ASSERT_EQ(back, block);
            }
        }
    }
}

}  // namespace
}  // namespace dovrel
