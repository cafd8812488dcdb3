#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Blowfish.h"

namespace dovrel {
namespace {

using test::ToHex;

// One block through OpenSSL's Blowfish in ECB, with the key length set explicitly
// (the cipher's default is 16 bytes).
std::vector<std::uint8_t> OracleEncrypt(EVP_CIPHER* bf, const std::vector<std::uint8_t>& key,
                                        const std::vector<std::uint8_t>& block) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    std::vector<std::uint8_t> out(16);
    int n = 0, m = 0;
    bool ok = ctx != nullptr && EVP_EncryptInit_ex2(ctx, bf, nullptr, nullptr, nullptr) == 1 &&
              EVP_CIPHER_CTX_set_key_length(ctx, static_cast<int>(key.size())) == 1 &&
              EVP_EncryptInit_ex2(ctx, nullptr, key.data(), nullptr, nullptr) == 1 &&
              EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
              EVP_EncryptUpdate(ctx, out.data(), &n, block.data(), 8) == 1 &&
              EVP_EncryptFinal_ex(ctx, out.data() + n, &m) == 1;
    EVP_CIPHER_CTX_free(ctx);
    EXPECT_TRUE(ok) << "OpenSSL refused a " << key.size() << "-byte Blowfish key";
    EXPECT_EQ(n + m, 8);
    out.resize(8);
    return out;
}

TEST(BlowfishOracle, MatchesOpenSslForRandomKeysAndBlocks) {
    OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    ASSERT_NE(legacy, nullptr) << "OpenSSL legacy provider not available";
    EVP_CIPHER* bf = EVP_CIPHER_fetch(nullptr, "BF-ECB", nullptr);
    ASSERT_NE(bf, nullptr);

    std::mt19937 rng(20240601);
    TBlowfish c;
    // 20 bytes is the program's key; the others cover the usual sizes and both limits.
    for (std::size_t keyBytes : {20u, 1u, 4u, 7u, 8u, 16u, 24u, 32u, 33u, 56u}) {
        for (int i = 0; i < 40; ++i) {
            std::vector<std::uint8_t> key(keyBytes), block(8), ours(8), back(8);
            for (auto& b : key)
                b = static_cast<std::uint8_t>(rng());
            for (auto& b : block)
                b = static_cast<std::uint8_t>(rng());
            SCOPED_TRACE("key " + ToHex(key) + " block " + ToHex(block));
            c.InitKey(key);
            c.EncryptBlock(block.data(), ours.data());
            ASSERT_EQ(ToHex(ours), ToHex(OracleEncrypt(bf, key, block)));
            c.DecryptBlock(ours.data(), back.data());
            ASSERT_EQ(back, block);
        }
    }
    EVP_CIPHER_free(bf);
    OSSL_PROVIDER_unload(legacy);
}

}  // namespace
}  // namespace dovrel
