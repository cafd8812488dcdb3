#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/BlockCipher.h"
#include "platform/Error.h"

namespace dovrel::test {

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

// Properties every cipher shares: decryption inverts encryption for random keys and
// blocks, a wiped cipher refuses to work, and rekeying replaces the schedule completely.
inline void ExpectCommonBehaviour(TBlockCipher& c, std::size_t keyBytes) {
    std::mt19937 rng(12345);
    std::vector<std::uint8_t> key(keyBytes), block(c.BlockBytes()), out(c.BlockBytes()),
        back(c.BlockBytes());
    for (int round = 0; round < 50; ++round) {
        for (auto& b : key)
            b = static_cast<std::uint8_t>(rng());
        for (auto& b : block)
            b = static_cast<std::uint8_t>(rng());
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
