#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <random>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/Sha1.h"

namespace dovrel {
namespace {

std::vector<std::uint8_t> OpenSslSha1(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out(EVP_MAX_MD_SIZE);
    unsigned int len = 0;
    const bool ok = EVP_Digest(data.data(), data.size(), out.data(), &len, EVP_sha1(), nullptr);
    EXPECT_TRUE(ok);
    out.resize(len);
    return out;
}

// Feeds `data` to TSha1 in random pieces (some empty, some longer than a block).
std::vector<std::uint8_t> OurSha1InPieces(const std::vector<std::uint8_t>& data,
                                          std::mt19937& rng) {
    TSha1 h;
    std::size_t pos = 0;
    while (pos < data.size()) {
        const std::size_t piece = std::min<std::size_t>(rng() % 150, data.size() - pos);
        h.Update(std::span(data).subspan(pos, piece));
        pos += piece;
    }
    std::vector<std::uint8_t> d(TSha1::DigestBytes);
    h.Final(d.data());
    return d;
}

TEST(Sha1OracleTest, MatchesOpenSslForEveryLengthAcrossSeveralBlocks) {
    // Every length from 0 to 300 covers the 55/56/64-byte padding boundaries several times.
    std::mt19937 rng(3174);
    for (std::size_t len = 0; len <= 300; ++len) {
        std::vector<std::uint8_t> data(len);
        for (auto& b : data)
            b = static_cast<std::uint8_t>(rng());
        const auto expected = test::ToHex(OpenSslSha1(data));
        const auto whole = TSha1::Digest(data);
        ASSERT_EQ(test::ToHex({whole.begin(), whole.end()}), expected) << "length " << len;
        ASSERT_EQ(test::ToHex(OurSha1InPieces(data, rng)), expected) << "length " << len;
    }
}

TEST(Sha1OracleTest, MatchesOpenSslForLongRandomMessages) {
    std::mt19937 rng(1801);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> data(rng() % 100000);
        for (auto& b : data)
            b = static_cast<std::uint8_t>(rng());
        ASSERT_EQ(test::ToHex(OurSha1InPieces(data, rng)), test::ToHex(OpenSslSha1(data)))
            << "length " << data.size();
    }
}

// Past 2^32 bits the length field's high word is no longer zero.
TEST(Sha1OracleTest, MatchesOpenSslBeyond512MiB) {
    std::mt19937 rng(2);
    std::vector<std::uint8_t> chunk(1 << 16);
    for (auto& b : chunk)
        b = static_cast<std::uint8_t>(rng());
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ASSERT_NE(ctx, nullptr);
    ASSERT_TRUE(EVP_DigestInit_ex(ctx, EVP_sha1(), nullptr));
    TSha1 h;
    for (std::size_t total = 0; total < (std::size_t{1} << 29) + 1000;) {
        const std::size_t piece = 1 + rng() % chunk.size();
        ASSERT_TRUE(EVP_DigestUpdate(ctx, chunk.data(), piece));
        h.Update(std::span(chunk).first(piece));
        total += piece;
    }
    std::vector<std::uint8_t> expected(EVP_MAX_MD_SIZE), ours(TSha1::DigestBytes);
    unsigned int len = 0;
    ASSERT_TRUE(EVP_DigestFinal_ex(ctx, expected.data(), &len));
    EVP_MD_CTX_free(ctx);
    expected.resize(len);
    h.Final(ours.data());
    EXPECT_EQ(test::ToHex(ours), test::ToHex(expected));
}

}  // namespace
}  // namespace dovrel
