#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <memory>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Rijndael.h"

namespace dovrel {
namespace {

using test::ToHex;

// One block through OpenSSL's AES in ECB mode without padding.
std::vector<std::uint8_t> OpenSslBlock(const std::vector<std::uint8_t>& key,
                                       const std::vector<std::uint8_t>& in, bool encrypt) {
    const EVP_CIPHER* type = key.size() == 16   ? EVP_aes_128_ecb()
                             : key.size() == 24 ? EVP_aes_192_ecb()
                                                : EVP_aes_256_ecb();
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    std::vector<std::uint8_t> out(32);
    int n = 0, tail = 0;
    EXPECT_EQ(EVP_CipherInit_ex(ctx.get(), type, nullptr, key.data(), nullptr, encrypt ? 1 : 0), 1);
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    EXPECT_EQ(EVP_CipherUpdate(ctx.get(), out.data(), &n, in.data(), static_cast<int>(in.size())),
              1);
    EXPECT_EQ(EVP_CipherFinal_ex(ctx.get(), out.data() + n, &tail), 1);
    out.resize(static_cast<std::size_t>(n + tail));
    return out;
}

// Keys of every length from 1 to 32 bytes, the program's 20 among them: ours keyed with
// the key as given, OpenSSL with the key zero-extended to 16, 24 or 32 bytes.
TEST(RijndaelOracleTest, MatchesOpenSslForRandomKeysAndBlocks) {
    std::mt19937 rng(777);
    TRijndael c;
    std::vector<std::uint8_t> block(16), ours(16), back(16);
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
            c.EncryptBlock(block.data(), ours.data());
            ASSERT_EQ(ToHex(ours), ToHex(OpenSslBlock(padded, block, true)));
            c.DecryptBlock(block.data(), back.data());
            ASSERT_EQ(ToHex(back), ToHex(OpenSslBlock(padded, block, false)));
        }
    }
}

}  // namespace
}  // namespace dovrel
