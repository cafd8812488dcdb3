#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Rc6.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::Hex;

TEST(Rc6Test, PublishedVectors) {
    const std::vector<BlockVector> vectors = {
        // R. Rivest, M. Robshaw, R. Sidney, Y. L. Yin, "The RC6 Block Cipher" v1.1 (1998),
        // appendix "RC6 test vectors" (RC6-32/20/b for b = 16, 24, 32).
        {"00000000000000000000000000000000", "00000000000000000000000000000000",
         "8fc3a53656b1f778c129df4e9848a41e"},
        {"0123456789abcdef0112233445566778", "02132435465768798a9bacbdcedfe0f1",
         "524e192f4715c6231f51f6367ea43f18"},
        {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
         "6cd61bcb190b30384e8a3f168690ae82"},
        {"0123456789abcdef0112233445566778899aabbccddeeff0", "02132435465768798a9bacbdcedfe0f1",
         "688329d019e505041e52e92af95291d4"},
        {"0000000000000000000000000000000000000000000000000000000000000000",
         "00000000000000000000000000000000", "8f5fbd0510d15fa893fa3fda6e857ec2"},
        {"0123456789abcdef0112233445566778899aabbccddeeff01032547698badcfe",
         "02132435465768798a9bacbdcedfe0f1", "c8241816f0d7e48920ad16a1674e5d48"},
    };
    TRc6 c;
    ExpectVectors(c, vectors);
}

TEST(Rc6Test, CommonBehaviourWithProgramKeyLength) {
    TRc6 c;
    test::ExpectCommonBehaviour(c, 20);
}

// The key fills L[] little-endian and only the last partial word is zero-padded, while
// the word count c = ceil(b / 4) steers the mixing. So 21 key bytes equal the same bytes
// padded with zeros to 24, but 20 bytes differ from their extension by one zero byte.
TEST(Rc6Test, KeyIsZeroPaddedToAWholeWordOnly) {
    const auto key20 = Hex("0123456789abcdef0112233445566778899aabbc");
    const auto plain = Hex("02132435465768798a9bacbdcedfe0f1");
    auto encrypt = [&](std::size_t n) {
        return test::FreshEncryptHex<TRc6>(test::ZeroExtended(key20, n), plain);
    };
    EXPECT_EQ(encrypt(21), encrypt(24));
    EXPECT_NE(encrypt(20), encrypt(21));
}

TEST(Rc6Test, AcceptsKeysFromOneTo256Bytes) {
    TRc6 c;
    EXPECT_EQ(c.MaxKeySize(), 2048);
    for (std::size_t n : {1u, 5u, 255u, 256u})
        test::ExpectRoundTrip(c, test::PatternBytes(n, 29, 3),
                              Hex("00112233445566778899aabbccddeeff"));
    EXPECT_THROW(c.InitKey(std::vector<std::uint8_t>(257, 1)), Error);
}

}  // namespace
}  // namespace dovrel
