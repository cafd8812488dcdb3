#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/Base64.h"

namespace dovrel {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

TEST(Base64Test, Rfc4648Vectors) {
    // RFC 4648 section 10.
    const struct {
        const char* plain;
        const char* encoded;
    } vectors[] = {{"", ""},
                   {"f", "Zg=="},
                   {"fo", "Zm8="},
                   {"foo", "Zm9v"},
                   {"foob", "Zm9vYg=="},
                   {"fooba", "Zm9vYmE="},
                   {"foobar", "Zm9vYmFy"}};
    for (const auto& v : vectors) {
        EXPECT_EQ(Base64Encode(Bytes(v.plain)), v.encoded);
        EXPECT_EQ(Base64Decode(v.encoded), Bytes(v.plain)) << v.encoded;
    }
}

TEST(Base64Test, EveryByteValueAndLengthRoundTrips) {
    // 0xFB..0xFF reach "+" and "/", the last two letters of the alphabet.
    std::vector<std::uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<std::uint8_t>(255 - i);
    for (std::size_t n = 0; n <= all.size(); ++n) {
        const std::span data = std::span(all).first(n);
        const std::string text = Base64Encode(data);
        ASSERT_EQ(text.size(), (n + 2) / 3 * 4);
        ASSERT_EQ(text.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        ASSERT_EQ(Base64Decode(text), std::vector<std::uint8_t>(data.begin(), data.end()))
            << "length " << n;
    }
    EXPECT_EQ(Base64Encode(std::vector<std::uint8_t>{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64Test, CharactersAfterTheLastFullGroupAreIgnored) {
    EXPECT_EQ(Base64Decode("Zm9vYmFyZg"), Bytes("foobar"));
    EXPECT_EQ(Base64Decode("Zm9vYmFyZm8"), Bytes("foobar"));
    EXPECT_EQ(Base64Decode("Zm9vZ"), Bytes("foo"));
    EXPECT_EQ(Base64Decode("Zg="), Bytes(""));
    EXPECT_EQ(Base64Decode("Zm9v\r\n"), Bytes("foo"));
}

TEST(Base64Test, EachGroupDecodesOnItsOwn) {
    // Padding in an earlier group shortens that group only.
    EXPECT_EQ(Base64Decode("Zg==Zm8=Zm9v"), Bytes("ffofoo"));
    // Only the last two positions of a group count as padding; elsewhere "=" is value 0.
    EXPECT_EQ(Base64Decode("=m9v"), Base64Decode("Am9v"));
    EXPECT_EQ(Base64Decode("Zm=v"), Base64Decode("ZmAv"));
}

TEST(Base64Test, CharactersOutsideTheAlphabetCountAsZero) {
    // Z=25, m=38, '*'->0, v=47: 011001 100110 000000 101111.
    EXPECT_EQ(Base64Decode("Zm*v"), (std::vector<std::uint8_t>{0x66, 0x60, 0x2F}));
    EXPECT_EQ(Base64Decode(std::string_view("\x80\xFF\0-", 4)),
              (std::vector<std::uint8_t>{0, 0, 0}));

    // Random damage: never more than three bytes per group, and the same bytes as the
    // text with each foreign character replaced by "A" (value 0).
    std::mt19937 rng(4648);
    const std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
    for (int round = 0; round < 2000; ++round) {
        std::string text(rng() % 40, '\0');
        for (auto& c : text)
            c = static_cast<char>(rng());
        std::string cleaned = text;
        for (auto& c : cleaned) {
            if (alphabet.find(c) == std::string_view::npos)
                c = 'A';
        }
        const auto decoded = Base64Decode(text);
        ASSERT_LE(decoded.size(), text.size() / 4 * 3);
        ASSERT_EQ(decoded, Base64Decode(cleaned));
    }
}

}  // namespace
}  // namespace dovrel
