// Compares TTripleDes with OpenSSL's DES-EDE3-ECB (three keys) and DES-EDE-ECB (two keys,
// K3 = K1) on random keys and blocks.

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/TripleDes.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One block through OpenSSL with padding off.
Bytes OracleBlock(const char* name, const Bytes& key, const Bytes& in, bool encrypt) {
    // Explicit, in case another test in the binary loaded a provider and so stopped the
    // default one loading by itself.
    static OSSL_PROVIDER* deflt = OSSL_PROVIDER_load(nullptr, "default");
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

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(rng());
    return b;
}

Bytes Ours(TTripleDes& c, const Bytes& key, const Bytes& in, bool encrypt) {
    Bytes out(8);
    c.InitKey(key);
    if (encrypt)
        c.EncryptBlock(in.data(), out.data());
    else
        c.DecryptBlock(in.data(), out.data());
    return out;
}

TEST(TripleDesOracle, ThreeKeyMatchesOpenSsl) {
    std::mt19937 rng(67);
    TTripleDes tdes;
    for (int i = 0; i < 300; ++i) {
        const Bytes key = RandomBytes(rng, 24), block = RandomBytes(rng, 8);
        SCOPED_TRACE(test::ToHex(key) + " " + test::ToHex(block));
        for (bool enc : {true, false}) {
            ASSERT_EQ(test::ToHex(Ours(tdes, key, block, enc)),
                      test::ToHex(OracleBlock("DES-EDE3-ECB", key, block, enc)));
        }
    }
}

// Keying with K1 K2 K1 written out is two-key triple DES.
TEST(TripleDesOracle, TwoKeyFormMatchesOpenSsl) {
    std::mt19937 rng(672);
    TTripleDes tdes;
    for (int i = 0; i < 200; ++i) {
        const Bytes k12 = RandomBytes(rng, 16), block = RandomBytes(rng, 8);
        Bytes key = k12;
        key.insert(key.end(), k12.begin(), k12.begin() + 8);
        SCOPED_TRACE(test::ToHex(key) + " " + test::ToHex(block));
        for (bool enc : {true, false}) {
            ASSERT_EQ(test::ToHex(Ours(tdes, key, block, enc)),
                      test::ToHex(OracleBlock("DES-EDE-ECB", k12, block, enc)));
        }
    }
}

// The program's 20-byte key is three-key triple DES on the key plus four zero bytes, and
// not two-key triple DES on its first 16 bytes.
TEST(TripleDesOracle, TwentyByteKeyIsThreeKeyWithZeroPadding) {
    std::mt19937 rng(6720);
    TTripleDes tdes;
    for (int i = 0; i < 300; ++i) {
        const Bytes key = RandomBytes(rng, 20), block = RandomBytes(rng, 8);
        Bytes padded = key;
        padded.resize(24, 0);
        const Bytes firstSixteen(key.begin(), key.begin() + 16);
        SCOPED_TRACE(test::ToHex(key) + " " + test::ToHex(block));
        for (bool enc : {true, false}) {
            const Bytes ours = Ours(tdes, key, block, enc);
            ASSERT_EQ(test::ToHex(ours),
                      test::ToHex(OracleBlock("DES-EDE3-ECB", padded, block, enc)));
            ASSERT_NE(test::ToHex(ours),
                      test::ToHex(OracleBlock("DES-EDE-ECB", firstSixteen, block, enc)));
        }
    }
}

}  // namespace
}  // namespace dovrel
