// Compares TDes with OpenSSL's DES-ECB (legacy provider) on random keys and blocks.

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Des.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One block through OpenSSL with padding off.
Bytes OracleBlock(const char* name, const Bytes& key, const Bytes& in, bool encrypt) {
    // Loading one provider stops the default one loading by itself, so load both.
    static OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    static OSSL_PROVIDER* deflt = OSSL_PROVIDER_load(nullptr, "default");
    EXPECT_NE(legacy, nullptr);
    EXPECT_NE(deflt, nullptr);
    EVP_CIPHER* cipher = EVP_CIPHER_fetch(nullptr, name, nullptr);
    EXPECT_NE(cipher, nullptr) << name;
    Bytes out(in.size() + 16);
    if (cipher == nullptr)
        return out;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0, m = 0;
    EXPECT_EQ(EVP_CipherInit_ex2(ctx, cipher, key.data(), nullptr, encrypt ? 1 : 0, nullptr), 1);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EXPECT_EQ(EVP_CipherUpdate(ctx, out.data(), &n, in.data(), static_cast<int>(in.size())), 1);
    EXPECT_EQ(EVP_CipherFinal_ex(ctx, out.data() + n, &m), 1);
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(cipher);
    out.resize(static_cast<std::size_t>(n + m));
    return out;
}

TEST(DesOracle, MatchesOpenSslOnRandomKeysAndBlocks) {
    std::mt19937 rng(46);
    TDes des;
    Bytes key(8), block(8), out(8), back(8);
    for (int i = 0; i < 500; ++i) {
        for (auto& b : key)
            b = static_cast<std::uint8_t>(rng());
        for (auto& b : block)
            b = static_cast<std::uint8_t>(rng());
        SCOPED_TRACE(test::ToHex(key) + " " + test::ToHex(block));
        des.InitKey(key);
        des.EncryptBlock(block.data(), out.data());
        ASSERT_EQ(test::ToHex(out), test::ToHex(OracleBlock("DES-ECB", key, block, true)));
        des.DecryptBlock(block.data(), back.data());
        ASSERT_EQ(test::ToHex(back), test::ToHex(OracleBlock("DES-ECB", key, block, false)));
    }
}

}  // namespace
}  // namespace dovrel
