#include <gtest/gtest.h>
#include <nettle/twofish.h>

#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Twofish.h"

namespace dovrel {
namespace {

using test::ToHex;

// Keys of every length from 1 to 32 bytes, the program's 20 among them: ours keyed with
// the key as given, Nettle with the key zero-extended to 16, 24 or 32 bytes.
TEST(TwofishOracleTest, MatchesNettleForRandomKeysAndBlocks) {
    std::mt19937 rng(4242);
    TTwofish c;
    twofish_ctx ref;
    std::vector<std::uint8_t> block(16), ours(16), theirs(16);
    for (std::size_t len = 1; len <= 32; ++len) {
        const int trials = (len == 16 || len == 20 || len == 24 || len == 32) ? 200 : 10;
        for (int t = 0; t < trials; ++t) {
            std::vector<std::uint8_t> key(len);
            for (auto& b : key)
                b = static_cast<std::uint8_t>(rng());
            for (auto& b : block)
                b = static_cast<std::uint8_t>(rng());
            auto padded = key;
            padded.resize(len <= 16 ? 16 : len <= 24 ? 24 : 32, 0);
            SCOPED_TRACE("key " + ToHex(key) + " block " + ToHex(block));

            c.InitKey(key);
            twofish_set_key(&ref, padded.size(), padded.data());
            c.EncryptBlock(block.data(), ours.data());
            twofish_encrypt(&ref, 16, theirs.data(), block.data());
            ASSERT_EQ(ToHex(ours), ToHex(theirs));
            c.DecryptBlock(block.data(), ours.data());
            twofish_decrypt(&ref, 16, theirs.data(), block.data());
            ASSERT_EQ(ToHex(ours), ToHex(theirs));
        }
    }
}

}  // namespace
}  // namespace dovrel
