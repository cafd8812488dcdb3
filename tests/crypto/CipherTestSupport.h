#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/BlockCipher.h"
#include "crypto/CpuFeatures.h"
#include "platform/Error.h"

namespace dovrel::test {

using Bytes = std::vector<std::uint8_t>;

// Runs the portable cipher code, instead of any processor-specific path, while it lives.
class PortableCiphersScope {
public:
    PortableCiphersScope() { SetPortableCiphersOnly(true); }
    ~PortableCiphersScope() { SetPortableCiphersOnly(false); }
    PortableCiphersScope(const PortableCiphersScope&) = delete;
    PortableCiphersScope& operator=(const PortableCiphersScope&) = delete;
};

inline std::vector<std::uint8_t> Hex(std::string_view hex) {
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : hex) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            continue;  // spaces and separators
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

inline std::string ToHex(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (auto b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

// Successive draws of `rng`, one per byte, in order: a seed always yields the same keys.
inline void FillRandom(Bytes& bytes, std::mt19937& rng) {
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng());
}

// n bytes: first, first + step, first + 2 * step... (mod 256), a key of any length that
// is easy to write down.
inline Bytes PatternBytes(std::size_t n, unsigned step, unsigned first) {
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(i * step + first);
    return out;
}

// `key` followed by zero bytes up to n bytes.
inline Bytes ZeroExtended(Bytes key, std::size_t n) {
    key.resize(n, 0);
    return key;
}

// 16, 24 or 32: the shortest of the Rijndael and Twofish key lengths that holds n bytes.
inline std::size_t NextStandardKeyBytes(std::size_t n) {
    return n <= 16 ? 16 : n <= 24 ? 24 : 32;
}

// One block encrypted under `key`, in hex.
inline std::string EncryptHex(TBlockCipher& c, const Bytes& key, const Bytes& block) {
    c.InitKey(key);
    Bytes out(c.BlockBytes());
    c.EncryptBlock(block.data(), out.data());
    return ToHex(out);
}

// The same with a cipher object made for the purpose, so no earlier key can leak in.
template <class Cipher>
std::string FreshEncryptHex(const Bytes& key, const Bytes& block) {
    Cipher c;
    return EncryptHex(c, key, block);
}

// A key shorter than the cipher's full length must act as that key followed by zero bytes
// up to `fullBytes`.
inline void ExpectZeroExtension(TBlockCipher& c, const Bytes& key, std::size_t fullBytes,
                                const Bytes& block) {
    SCOPED_TRACE("key " + ToHex(key));
    EXPECT_EQ(EncryptHex(c, key, block), EncryptHex(c, ZeroExtended(key, fullBytes), block));
}

// The Rijndael and Twofish rule: for each length, a random key with no zero byte (so it
// has no zero tail of its own) acts as that key zero-extended to 16, 24 or 32 bytes.
inline void ExpectZeroExtensionToStandardLengths(TBlockCipher& c, std::mt19937& rng,
                                                 std::initializer_list<std::size_t> lengths) {
    for (std::size_t len : lengths) {
        Bytes key(len), block(c.BlockBytes());
        for (auto& x : key)
            x = static_cast<std::uint8_t>(rng() | 1);
        FillRandom(block, rng);
        ExpectZeroExtension(c, key, NextStandardKeyBytes(len), block);
    }
}

// `key` is accepted and decryption inverts encryption of `plain` under it.
inline void ExpectRoundTrip(TBlockCipher& c, const Bytes& key, const Bytes& plain) {
    SCOPED_TRACE(testing::Message() << key.size() << "-byte key");
    c.InitKey(key);
    Bytes out(c.BlockBytes()), back(c.BlockBytes());
    c.EncryptBlock(plain.data(), out.data());
    c.DecryptBlock(out.data(), back.data());
    EXPECT_EQ(ToHex(back), ToHex(plain));
}

// One published known-answer vector: key, plaintext block, ciphertext block, in hex.
struct BlockVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Keys `c` with each vector's key and checks both directions, also in place.
inline void ExpectVectors(TBlockCipher& c, const std::vector<BlockVector>& vectors) {
    for (const auto& v : vectors) {
        SCOPED_TRACE(std::string("key ") + v.key + " plain " + v.plain);
        const auto key = Hex(v.key), plain = Hex(v.plain), expected = Hex(v.cipher);
        ASSERT_EQ(plain.size(), c.BlockBytes());
        c.InitKey(key);
        std::vector<std::uint8_t> out(c.BlockBytes());
        c.EncryptBlock(plain.data(), out.data());
        EXPECT_EQ(ToHex(out), ToHex(expected));
        c.DecryptBlock(expected.data(), out.data());
        EXPECT_EQ(ToHex(out), ToHex(plain));
        auto inPlace = plain;
        c.EncryptBlock(inPlace.data(), inPlace.data());
        EXPECT_EQ(ToHex(inPlace), ToHex(expected));
    }
}

// Decryption with `in` and `out` the same buffer, for each vector.
inline void ExpectDecryptsInPlace(TBlockCipher& c, const std::vector<BlockVector>& vectors) {
    for (const auto& v : vectors) {
        SCOPED_TRACE(std::string("key ") + v.key + " cipher " + v.cipher);
        c.InitKey(Hex(v.key));
        auto block = Hex(v.cipher);
        c.DecryptBlock(block.data(), block.data());
        EXPECT_EQ(ToHex(block), ToHex(Hex(v.plain)));
    }
}

// Properties every cipher shares: decryption inverts encryption for random keys and
// blocks, a wiped cipher refuses to work, and rekeying replaces the schedule completely.
inline void ExpectCommonBehaviour(TBlockCipher& c, std::size_t keyBytes) {
    std::mt19937 rng(12345);
    std::vector<std::uint8_t> key(keyBytes), block(c.BlockBytes()), out(c.BlockBytes()),
        back(c.BlockBytes());
    for (int round = 0; round < 50; ++round) {
        FillRandom(key, rng);
        FillRandom(block, rng);
        c.InitKey(key);
        c.EncryptBlock(block.data(), out.data());
        EXPECT_NE(out, block);
        c.DecryptBlock(out.data(), back.data());
        ASSERT_EQ(back, block);
    }
    const auto first = out;
    c.InitKey(key);
    c.EncryptBlock(block.data(), out.data());
    EXPECT_EQ(out, first) << "schedule depends on what was keyed before";
    c.WipeKey();
    EXPECT_FALSE(c.HasKey());
    EXPECT_THROW(c.EncryptBlock(block.data(), out.data()), Error);
    EXPECT_THROW(c.DecryptBlock(block.data(), out.data()), Error);
}

}  // namespace dovrel::test
