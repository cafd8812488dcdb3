#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Rc5.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::Hex;

TEST(Rc5Test, PublishedVectors) {
    const std::vector<BlockVector> vectors = {
        // R. Rivest, "The RC5 Encryption Algorithm" (FSE 1994), appendix: the five chained
        // RC5-32/12/16 examples. The paper prints blocks as little-endian words; these are
        // the bytes.
        {"00000000000000000000000000000000", "0000000000000000", "21a5dbee154b8f6d"},
        {"915f4619be41b2516355a50110a9ce91", "21a5dbee154b8f6d", "f7c013ac5b2b8952"},
        {"783348e75aeb0f2fd7b169bb8dc16787", "f7c013ac5b2b8952", "2f42b3b70369fc92"},
        {"dc49db1375a5584f6485b413b5f12baf", "2f42b3b70369fc92", "65c178b284d197cc"},
        {"5269f149d41ba0152497574d7f153125", "65c178b284d197cc", "eb44e415da319824"},
        // RFC 2040 section 9, the R = 12 cases. Each is the first RC5-CBC block, so the
        // block input here is P xor IV (1020304050607080 xor 0102030405060708 =
        // 1122334455667788; with the zero IV it is P itself).
        {"00", "1122334455667788", "b2b3209db6594da4"},
        {"01020304", "ffffffffffffffff", "fc586f92f7080934"},
        {"0102030405", "ffffffffffffffff", "97e0787837ed317f"},
        {"0102030405060708", "ffffffffffffffff", "e493f1c1bb4d6e8c"},
        {"0102030405060708", "1122334455667788", "921f12485373b4f7"},
        {"01020304050607081020304050607080", "1122334455667788", "294ddb46b3278d60"},
        // draft-krovetz-rc6-rc5-vectors-00 section 4, RC5-32/12/16.
        {"000102030405060708090a0b0c0d0e0f", "0001020304050607", "c8d3b3c486700cfa"},
    };
    TRc5 c;
    ExpectVectors(c, vectors);
}

TEST(Rc5Test, CommonBehaviourWithProgramKeyLength) {
    TRc5 c;
    test::ExpectCommonBehaviour(c, 20);
}

// The key fills L[] little-endian and only the last partial word is zero-padded, while
// the word count c = ceil(b / 4) steers the mixing. So 21 key bytes equal the same bytes
// padded with zeros to 24, but 20 bytes differ from their extension by one zero byte.
TEST(Rc5Test, KeyIsZeroPaddedToAWholeWordOnly) {
    const auto key20 = Hex("0123456789abcdef0123456789abcdef01234567");
    const auto plain = Hex("0011223344556677");
    auto encrypt = [&](std::size_t n) {
        return test::FreshEncryptHex<TRc5>(test::ZeroExtended(key20, n), plain);
    };
    EXPECT_EQ(encrypt(21), encrypt(24));
    EXPECT_NE(encrypt(20), encrypt(21));
}

TEST(Rc5Test, AcceptsKeysFromOneTo256Bytes) {
    TRc5 c;
    EXPECT_EQ(c.MaxKeySize(), 2048);
    for (std::size_t n : {1u, 7u, 255u, 256u})
        test::ExpectRoundTrip(c, test::PatternBytes(n, 37, 1), Hex("fedcba9876543210"));
    EXPECT_THROW(c.InitKey(std::vector<std::uint8_t>(257, 1)), Error);
}

}  // namespace
}  // namespace dovrel
