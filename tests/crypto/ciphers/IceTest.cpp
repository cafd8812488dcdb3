#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Ice.h"

namespace dovrel {
namespace {

using test::Hex;

// Validation triplets published by the designer, M. Kwan, on the ICE overview page
// (darkside.com.au/ice/overview.html, "To validate an implementation of ICE").
TEST(ThinIce, PublishedVector) {
    TThinIce c;
    test::ExpectVectors(c, {{"deadbeef01234567", "fedcba9876543210", "de240d83a00a9cc0"}});
}

TEST(Ice, PublishedVector) {
    TIce c;
    test::ExpectVectors(c, {{"deadbeef01234567", "fedcba9876543210", "7d6ef1ef30d47a96"}});
}

TEST(Ice2, PublishedVector) {
    TIce2 c;
    test::ExpectVectors(
        c, {{"00112233445566778899aabbccddeeff", "fedcba9876543210", "f94840d86972f21c"}});
}

TEST(IceFamily, KeyAndBlockSizes) {
    TThinIce thin;
    TIce ice;
    TIce2 ice2;
    EXPECT_EQ(thin.MaxKeySize(), 64);
    EXPECT_EQ(ice.MaxKeySize(), 64);
    EXPECT_EQ(ice2.MaxKeySize(), 128);
    for (const TBlockCipher* c :
         {static_cast<const TBlockCipher*>(&thin), static_cast<const TBlockCipher*>(&ice),
          static_cast<const TBlockCipher*>(&ice2)}) {
        EXPECT_EQ(c->BlockSize(), 64);
    }
}

TEST(IceFamily, CommonBehaviour) {
    TThinIce thin;
    test::ExpectCommonBehaviour(thin, 8);
    TIce ice;
    test::ExpectCommonBehaviour(ice, 8);
    TIce2 ice2;
    test::ExpectCommonBehaviour(ice2, 16);
}

// A key shorter than the level's 8n bytes is extended with zero bytes.
TEST(IceFamily, ShortKeysAreZeroExtended) {
    using test::ExpectZeroExtension;
    const auto block = Hex("0123456789abcdef");
    TThinIce thin;
    ExpectZeroExtension(thin, Hex("a1b2c3"), 8, block);
    TIce ice;
    ExpectZeroExtension(ice, Hex("deadbeef0123"), 8, block);
    ExpectZeroExtension(ice, Hex("7f"), 8, block);
    TIce2 ice2;
    ExpectZeroExtension(ice2, Hex("deadbeef01234567"), 16, block);
    ExpectZeroExtension(ice2, Hex("00112233445566778899"), 16, block);
}

}  // namespace
}  // namespace dovrel
