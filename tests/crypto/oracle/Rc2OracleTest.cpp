// RC2 against OpenSSL 3 libcrypto (legacy provider), single ECB blocks, both directions.
// Not Nettle: its arctwo_set_key_ekb (3.8) disagrees with RFC 2268 section 2 and with
// OpenSSL for effective key lengths 1017..1023 (T8 = 128 with TM < 255), which the
// sweep below covers.

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "crypto/ciphers/Rc2.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

using test::Bytes;

struct CtxFree {
    void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};

class OpenSslRc2 {
public:
    OpenSslRc2() {
        legacy_ = OSSL_PROVIDER_load(nullptr, "legacy");
        default_ = OSSL_PROVIDER_load(nullptr, "default");
        cipher_ = EVP_CIPHER_fetch(nullptr, "RC2-ECB", nullptr);
    }
    ~OpenSslRc2() {
        EVP_CIPHER_free(cipher_);
        if (default_ != nullptr)
            OSSL_PROVIDER_unload(default_);
        if (legacy_ != nullptr)
            OSSL_PROVIDER_unload(legacy_);
    }
    bool Available() const { return cipher_ != nullptr; }

    Bytes Run(bool encrypt, const Bytes& key, int effectiveKeyBits, const std::uint8_t* block) {
        std::unique_ptr<EVP_CIPHER_CTX, CtxFree> ctx(EVP_CIPHER_CTX_new());
        const int enc = encrypt ? 1 : 0;
        Bytes out(16);
        int n = 0;
        const bool ok =
            EVP_CipherInit_ex(ctx.get(), cipher_, nullptr, nullptr, nullptr, enc) == 1 &&
            EVP_CIPHER_CTX_set_key_length(ctx.get(), static_cast<int>(key.size())) == 1 &&
            EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_SET_RC2_KEY_BITS, effectiveKeyBits, nullptr) ==
                1 &&
            EVP_CipherInit_ex(ctx.get(), nullptr, nullptr, key.data(), nullptr, enc) == 1 &&
            EVP_CIPHER_CTX_set_padding(ctx.get(), 0) == 1 &&
            EVP_CipherUpdate(ctx.get(), out.data(), &n, block, 8) == 1;
        EXPECT_TRUE(ok && n == 8) << "OpenSSL refused the request";
        out.resize(8);
        return out;
    }

private:
    OSSL_PROVIDER* legacy_ = nullptr;
    OSSL_PROVIDER* default_ = nullptr;
    EVP_CIPHER* cipher_ = nullptr;
};

void Compare(OpenSslRc2& oracle, std::mt19937& rng, std::size_t keyBytes, int effectiveKeyBits,
             int keys) {
    SCOPED_TRACE(testing::Message() << keyBytes << " key bytes, T1 = " << effectiveKeyBits);
    TRc2 ours(effectiveKeyBits);
    auto key = std::make_shared<Bytes>();
    const test::Oracle openSsl = {
        [key](const Bytes& k) { *key = k; },
        [&oracle, key, effectiveKeyBits](const Bytes& block) {
            return oracle.Run(true, *key, effectiveKeyBits, block.data());
        },
        [&oracle, key, effectiveKeyBits](const Bytes& block) {
            return oracle.Run(false, *key, effectiveKeyBits, block.data());
        },
    };
    test::CompareRandom(ours, openSsl, rng, keyBytes, keys, 4);
}

// The program's own case first, then the customary 40/64/128-bit strengths and the
// extremes of key length and effective key length.
TEST(Rc2Oracle, FixedConfigurations) {
    OpenSslRc2 oracle;
    ASSERT_TRUE(oracle.Available());
    std::mt19937 rng(2268);
    const struct {
        std::size_t keyBytes;
        int effectiveKeyBits;
    } configs[] = {{20, 1024}, {5, 40},     {8, 64},  {16, 128},  {16, 1024},
                   {1, 1024},  {128, 1024}, {128, 1}, {20, 1020}, {20, 160}};
    for (const auto& c : configs)
        Compare(oracle, rng, c.keyBytes, c.effectiveKeyBits, 200);
}

TEST(Rc2Oracle, RandomKeyLengthsAndEffectiveBits) {
    OpenSslRc2 oracle;
    ASSERT_TRUE(oracle.Available());
    std::mt19937 rng(1998);
    std::uniform_int_distribution<std::size_t> length(1, 128);
    std::uniform_int_distribution<int> bits(1, 1024);
    for (int n = 0; n < 300; ++n)
        Compare(oracle, rng, length(rng), bits(rng), 2);
    for (int t1 = 1017; t1 <= 1024; ++t1)
        Compare(oracle, rng, 27, t1, 4);
}

}  // namespace
}  // namespace dovrel
