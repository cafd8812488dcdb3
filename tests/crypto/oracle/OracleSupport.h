#pragma once

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "crypto/BlockCipher.h"
#include "crypto/CipherTestSupport.h"

// Cross-checks of our ciphers against a library's implementation of the same algorithm.
namespace dovrel::test {

// The library's cipher, one block at a time. setKey receives the key our cipher was given
// and turns it into what the library expects (zero-extended, for instance). Without
// decrypt, our decryption is only checked to invert our encryption.
struct Oracle {
    std::function<void(const Bytes& key)> setKey;
    std::function<Bytes(const Bytes& block)> encrypt;
    std::function<Bytes(const Bytes& block)> decrypt;
};

// `ours` and `oracle`, keyed alike, on one block: the same encryption, the same decryption
// of the block taken as a ciphertext, and our decryption inverting our encryption.
inline void ExpectSameBlock(TBlockCipher& ours, const Oracle& oracle, const Bytes& block) {
    SCOPED_TRACE("block " + ToHex(block));
    ASSERT_EQ(block.size(), ours.BlockBytes());
    Bytes out(block.size()), back(block.size());
    ours.EncryptBlock(block.data(), out.data());
    ASSERT_EQ(ToHex(out), ToHex(oracle.encrypt(block)));
    ours.DecryptBlock(out.data(), back.data());
    ASSERT_EQ(ToHex(back), ToHex(block)) << "decryption does not invert encryption";
    if (oracle.decrypt) {
        ours.DecryptBlock(block.data(), out.data());
        ASSERT_EQ(ToHex(out), ToHex(oracle.decrypt(block)));
    }
}

// `keys` random keys of `keyBytes` bytes, each followed by `blocksPerKey` random blocks,
// all drawn from `rng` in that order. Stops at the first disagreement.
inline void CompareRandom(TBlockCipher& ours, const Oracle& oracle, std::mt19937& rng,
                          std::size_t keyBytes, int keys, int blocksPerKey = 1) {
    Bytes key(keyBytes), block(ours.BlockBytes());
    for (int k = 0; k < keys; ++k) {
        FillRandom(key, rng);
        SCOPED_TRACE("key " + ToHex(key));
        ours.InitKey(key);
        ASSERT_NO_FATAL_FAILURE(oracle.setKey(key));
        for (int i = 0; i < blocksPerKey; ++i) {
            FillRandom(block, rng);
            ASSERT_NO_FATAL_FAILURE(ExpectSameBlock(ours, oracle, block));
        }
    }
}

// Keys of every length from 1 to 32 bytes: 200 random keys at the standard lengths and
// the program's 20, 10 at every other length; one random block each.
inline void CompareAtEveryKeyLengthUpTo32(TBlockCipher& ours, const Oracle& oracle,
                                          std::mt19937& rng) {
    for (std::size_t len = 1; len <= 32; ++len) {
        const int trials = (len == 16 || len == 20 || len == 24 || len == 32) ? 200 : 10;
        CompareRandom(ours, oracle, rng, len, trials);
    }
}

// One block through OpenSSL's ECB cipher `name` ("DES-ECB", "AES-128-ECB"...) without
// padding. The key length is set from `key`, which ciphers of variable key length need
// and the others accept when it is their own.
inline Bytes OpenSslBlock(const char* name, const Bytes& key, const Bytes& in, bool encrypt) {
    // Loading one provider stops the default one loading by itself, so load both; the
    // legacy one holds DES and Blowfish.
    static OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
    static OSSL_PROVIDER* deflt = OSSL_PROVIDER_load(nullptr, "default");
    EXPECT_NE(legacy, nullptr);
    EXPECT_NE(deflt, nullptr);
    EVP_CIPHER* cipher = EVP_CIPHER_fetch(nullptr, name, nullptr);
    EXPECT_NE(cipher, nullptr) << name;
    Bytes out(in.size() + 32);
    if (cipher == nullptr)
        return out;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    const int enc = encrypt ? 1 : 0;
    int n = 0, m = 0;
    const bool ok =
        ctx != nullptr && EVP_CipherInit_ex2(ctx, cipher, nullptr, nullptr, enc, nullptr) == 1 &&
        EVP_CIPHER_CTX_set_key_length(ctx, static_cast<int>(key.size())) == 1 &&
        EVP_CipherInit_ex2(ctx, nullptr, key.data(), nullptr, enc, nullptr) == 1 &&
        EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
        EVP_CipherUpdate(ctx, out.data(), &n, in.data(), static_cast<int>(in.size())) == 1 &&
        EVP_CipherFinal_ex(ctx, out.data() + n, &m) == 1;
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(cipher);
    EXPECT_TRUE(ok) << "OpenSSL refused " << name << " with a " << key.size() << "-byte key";
    out.resize(ok ? static_cast<std::size_t>(n + m) : in.size());
    return out;
}

// An Oracle over OpenSslBlock with the cipher `name`, keyed with our key or, given
// `oracleKey`, with oracleKey(our key).
inline Oracle OpenSslOracle(const char* name, std::function<Bytes(const Bytes&)> oracleKey = {}) {
    auto key = std::make_shared<Bytes>();
    return {
        [key, oracleKey](const Bytes& k) { *key = oracleKey ? oracleKey(k) : k; },
        [key, name](const Bytes& b) { return OpenSslBlock(name, *key, b, true); },
        [key, name](const Bytes& b) { return OpenSslBlock(name, *key, b, false); },
    };
}

// One block through a Crypto++ transformation (CryptoPP::RC5::Encryption...) keyed with
// `key` and `rounds` rounds.
template <class Transformation>
Bytes CryptoppBlock(const Bytes& key, int rounds, const Bytes& block) {
    const Transformation t(key.data(), key.size(), rounds);
    Bytes out(block.size());
    t.ProcessBlock(block.data(), out.data());
    return out;
}

// Crypto++'s `Cipher` (CryptoPP::RC5, CryptoPP::RC6...) with `rounds` rounds.
template <class Cipher>
Oracle CryptoppOracle(int rounds) {
    auto key = std::make_shared<Bytes>();
    return {
        [key](const Bytes& k) { *key = k; },
        [key, rounds](const Bytes& b) {
            return CryptoppBlock<typename Cipher::Encryption>(*key, rounds, b);
        },
        [key, rounds](const Bytes& b) {
            return CryptoppBlock<typename Cipher::Decryption>(*key, rounds, b);
        },
    };
}

// A Nettle cipher given by its context type and its set-key, encrypt and decrypt
// functions (serpent_set_key, serpent_encrypt, serpent_decrypt...), keyed with our key or,
// given `oracleKey`, with oracleKey(our key).
template <class Context>
Oracle NettleOracle(void (*setKey)(Context*, std::size_t, const std::uint8_t*),
                    void (*encrypt)(const Context*, std::size_t, std::uint8_t*,
                                    const std::uint8_t*),
                    void (*decrypt)(const Context*, std::size_t, std::uint8_t*,
                                    const std::uint8_t*),
                    std::function<Bytes(const Bytes&)> oracleKey = {}) {
    auto ctx = std::make_shared<Context>();
    auto run = [ctx](auto crypt, const Bytes& block) {
        Bytes out(block.size());
        crypt(ctx.get(), block.size(), out.data(), block.data());
        return out;
    };
    return {
        [ctx, setKey, oracleKey](const Bytes& key) {
            const Bytes k = oracleKey ? oracleKey(key) : key;
            setKey(ctx.get(), k.size(), k.data());
        },
        [run, encrypt](const Bytes& block) { return run(encrypt, block); },
        [run, decrypt](const Bytes& block) { return run(decrypt, block); },
    };
}

// A Botan block cipher (Botan::BlockCipher) keyed with our key or, given `oracleKey`, with
// oracleKey(our key), which must be a length it accepts.
template <class BotanCipher>
Oracle BotanOracle(std::shared_ptr<BotanCipher> c,
                   std::function<Bytes(const Bytes&)> oracleKey = {}) {
    return {
        [c, oracleKey](const Bytes& key) {
            const Bytes k = oracleKey ? oracleKey(key) : key;
            ASSERT_TRUE(c->valid_keylength(k.size())) << k.size() << "-byte key";
            c->set_key(k.data(), k.size());
        },
        [c](const Bytes& block) {
            Bytes out(block.size());
            c->encrypt(block.data(), out.data());
            return out;
        },
        [c](const Bytes& block) {
            Bytes out(block.size());
            c->decrypt(block.data(), out.data());
            return out;
        },
    };
}

}  // namespace dovrel::test
