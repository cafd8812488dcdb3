#include <botan/block_cipher.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Idea.h"

namespace dovrel {
namespace {

using test::ToHex;

// IDEA takes only 16-byte keys, which is also the program's length; a shorter key of ours
// is compared with the library keyed with that key zero-extended.
TEST(IdeaOracle, MatchesBotanForRandomKeysAndBlocks) {
    std::unique_ptr<Botan::BlockCipher> oracle = Botan::BlockCipher::create("IDEA");
    ASSERT_NE(oracle, nullptr) << "Botan has no IDEA";
    ASSERT_EQ(oracle->block_size(), 8u);

    std::mt19937 rng(19910101);
    TIdea c;
    struct Run {
        std::size_t keyBytes;
        int count;
    };
    for (const Run run : {Run{16, 400}, Run{1, 50}, Run{9, 50}, Run{15, 50}}) {
        const std::size_t keyBytes = run.keyBytes;
        for (int i = 0; i < run.count; ++i) {
            std::vector<std::uint8_t> key(keyBytes), block(8), ours(8), theirs(8), back(8);
            for (auto& b : key)
                b = static_cast<std::uint8_t>(rng());
            for (auto& b : block)
                b = static_cast<std::uint8_t>(rng());
            // Zero words (standing for 2^16) in the data and in the first subkey take the
            // separate branches of the multiplication.
            if (i % 10 == 0) {
                block[0] = block[1] = 0;
                block[6] = 0;
                block[7] = 1;
            }
            if (i % 10 == 1) {
                key[0] = 0;
                if (keyBytes > 1)
                    key[1] = 0;
            }
            SCOPED_TRACE("key " + ToHex(key) + " block " + ToHex(block));
            auto full = key;
            full.resize(16, 0);
            oracle->set_key(full.data(), full.size());
            oracle->encrypt(block.data(), theirs.data());
            c.InitKey(key);
            c.EncryptBlock(block.data(), ours.data());
            ASSERT_EQ(ToHex(ours), ToHex(theirs));
            oracle->decrypt(block.data(), theirs.data());
            c.DecryptBlock(block.data(), back.data());
            ASSERT_EQ(ToHex(back), ToHex(theirs));
        }
    }
}

}  // namespace
}  // namespace dovrel
