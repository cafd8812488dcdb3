#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Ice.h"

namespace dovrel {
namespace {

using test::Hex;
using test::ToHex;

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
void ExpectZeroExtension(TBlockCipher& c, const char* shortKey, const char* fullKey) {
    SCOPED_TRACE(shortKey);
    const auto block = Hex("0123456789abcdef");
    std::vector<std::uint8_t> a(8), b(8);
    c.InitKey(Hex(shortKey));
    c.EncryptBlock(block.data(), a.data());
    c.InitKey(Hex(fullKey));
    c.EncryptBlock(block.data(), b.data());
    EXPECT_EQ(ToHex(a), ToHex(b));
}

TEST(IceFamily, ShortKeysAreZeroExtended) {
    TThinIce thin;
    ExpectZeroExtension(thin, "a1b2c3", "a1b2c30000000000");
    TIce ice;
    ExpectZeroExtension(ice, "deadbeef0123", "deadbeef01230000");
    ExpectZeroExtension(ice, "7f", "7f00000000000000");
    TIce2 ice2;
    ExpectZeroExtension(ice2, "deadbeef01234567", "deadbeef012345670000000000000000");
    ExpectZeroExtension(ice2, "00112233445566778899", "00112233445566778899000000000000");
}

}  // namespace
}  // namespace dovrel
