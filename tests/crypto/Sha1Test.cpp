#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/Sha1.h"

namespace dovrel {
namespace {

using test::Hex;
using test::ToHex;

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

std::string DigestHex(std::span<const std::uint8_t> data) {
    const auto d = TSha1::Digest(data);
    return ToHex({d.begin(), d.end()});
}

std::string Repeat(std::string_view s, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += s;
    return out;
}

struct DigestVector {
    std::vector<std::uint8_t> message;
    const char* digest;
};

TEST(Sha1Test, PublishedVectors) {
    const std::vector<DigestVector> vectors = {
        // FIPS 180-1 appendix A: "abc".
        {Bytes("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d"},
        // FIPS 180-1 appendix B: the 448-bit message (two blocks after padding).
        {Bytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        // FIPS 180-1 appendix C: one million 'a'.
        {Bytes(std::string(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        // RFC 3174 section 7.3, TEST4: "01234567" repeated 80 times.
        {Bytes(Repeat("01234567", 80)), "dea356a2cddd90c7a7ecedc5ebb563934f460452"},
        // NIST CAVP SHAVS byte-oriented vectors, SHA1ShortMsg.rsp (CAVS 11.0): Len = 0, 8,
        // 448 (padding needs a second block), 456, 512 (exactly one block).
        {{}, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {Hex("36"), "c1dfd96eea8cc2b62785275bca38ac261256e278"},
        {Hex("0321736beba578e90abc1a90aa56157d871618f6de0d764cc8c91e06c68ecd3b9de382406450"
             "3384db67beb7fe012232dacaef93a000fba7"),
         "aef843b86916c16f66c84d83a6005d23fd005c9e"},
        {Hex("d0a249a97b5f1486721a50d4c4ab3f5d674a0e29925d5bf2678ef6d8d521e456bd84aa755328"
             "c83fc890837726a8e7877b570dba39579aabdd"),
         "be2cd6f380969be59cde2dff5e848a44e7880bd6"},
        {Hex("45927e32ddf801caf35e18e7b5078b7f5435278212ec6bb99df884f49b327c6486feae46ba18"
             "7dc1cc9145121e1492e6b06e9007394dc33b7748f86ac3207cfe"),
         "a70cfbfe7563dd0e665c7c6715a96a8d756950c0"},
        // 55 and 63 bytes: the 0x80 byte leaves exactly room for the length, and it does not.
        // Digests from OpenSSL ("openssl dgst -sha1").
        {Bytes(std::string(55, 'a')), "c1c8bbdc22796e28c0e15163d20899b65621d65a"},
        {Bytes(std::string(63, 'a')), "03f09f5b158a7a8cdad920bddc29b81c18a551f5"},
        // SHA1ShortMsg.rsp, Len = 2096: several blocks plus a tail.
        {Hex("6cb70d19c096200f9249d2dbc04299b0085eb068257560be3a307dbd741a3378ebfa03fcca61"
             "0883b07f7fea563a866571822472dade8a0bec4b98202d47a344312976a7bcb3964427eacb5b"
             "0525db22066599b81be41e5adaf157d925fac04b06eb6e01deb753babf33be16162b214e8db0"
             "17212fafa512cdc8c0d0a15c10f632e8f4f47792c64d3f026004d173df50cf0aa7976066a79a"
             "8d78deeeec951dab7cc90f68d16f786671feba0b7d269d92941c4f02f432aa5ce2aab6194dcc"
             "6fd3ae36c8433274ef6b1bd0d314636be47ba38d1948343a38bf9406523a0b2a8cd78ed6266e"
             "e3c9b5c60620b308cc6b3a73c6060d5268a7d82b6a33b93a6fd6fe1de55231d12c97"),
         "4a75a406f4de5f9e1132069d66717fc424376388"},
    };
    for (const auto& v : vectors) {
        SCOPED_TRACE(testing::Message() << "length " << v.message.size());
        EXPECT_EQ(DigestHex(v.message), v.digest);
    }
}

// FIPS 180-1 appendix C feeds the million 'a' in arbitrary pieces; pieces that straddle
// block boundaries and single bytes exercise the buffering in Update.
TEST(Sha1Test, PiecewiseUpdateEqualsWholeMessage) {
    std::mt19937 rng(180);
    std::vector<std::uint8_t> message(1000);
    for (auto& b : message)
        b = static_cast<std::uint8_t>(rng());
    const std::string whole = DigestHex(message);
    for (std::size_t cut = 0; cut <= message.size(); cut += 7) {
        TSha1 h;
        h.Update(std::span(message).first(cut));
        h.Update(std::span(message).subspan(cut));
        std::uint8_t d[TSha1::DigestBytes];
        h.Final(d);
        ASSERT_EQ(ToHex({d, d + sizeof d}), whole) << "cut at " << cut;
    }
    TSha1 h;
    for (auto b : message)
        h.Update(std::span(&b, 1));
    h.Update({});
    std::uint8_t d[TSha1::DigestBytes];
    h.Final(d);
    EXPECT_EQ(ToHex({d, d + sizeof d}), whole);
}

// Final leaves nothing of the message behind: the next message starts from the initial
// state even without Init, and Init discards a half-fed message.
TEST(Sha1Test, FinalAndInitStartANewMessage) {
    const auto abc = Bytes("abc");
    TSha1 h;
    h.Update(Bytes("some earlier message longer than one block, some earlier message..."));
    std::uint8_t d[TSha1::DigestBytes];
    h.Final(d);
    h.Update(abc);
    h.Final(d);
    EXPECT_EQ(ToHex({d, d + sizeof d}), "a9993e364706816aba3e25717850c26c9cd0d89d");
    h.Update(Bytes("discarded"));
    h.Init();
    h.Final(d);
    EXPECT_EQ(ToHex({d, d + sizeof d}), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
}

}  // namespace
}  // namespace dovrel
