#include <gtest/gtest.h>

#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Rc2.h"
#include "platform/Error.h"

namespace dovrel {
namespace {

using test::BlockVector;

struct Rc2Vector {
    int effectiveKeyBits;
    BlockVector v;
};

// RFC 2268 section 5, all eight vectors, each with its own effective key length.
const std::vector<Rc2Vector> kRfc2268Vectors = {
    {63, {"0000000000000000", "0000000000000000", "ebb773f993278eff"}},
    {64, {"ffffffffffffffff", "ffffffffffffffff", "278b27e42e2f0d49"}},
    {64, {"3000000000000000", "1000000000000001", "30649edf9be7d2c2"}},
    {64, {"88", "0000000000000000", "61a8a244adacccf0"}},
    {64, {"88bca90e90875a", "0000000000000000", "6ccf4308974c267f"}},
    {64, {"88bca90e90875a7f0f79c384627bafb2", "0000000000000000", "1a807d272bbe5db1"}},
    {128, {"88bca90e90875a7f0f79c384627bafb2", "0000000000000000", "2269552ab0f85ca6"}},
    {129,
     {"88bca90e90875a7f0f79c384627bafb216f80a6f85920584c42fceb0be255daf1e", "0000000000000000",
      "5b78d3a43dfff1f1"}},
};

TEST(Rc2, Rfc2268Vectors) {
    for (const auto& [bits, v] : kRfc2268Vectors) {
        SCOPED_TRACE(bits);
        TRc2 c(bits);
        test::ExpectVectors(c, {v});
    }
}

// The program's parameters, 20-byte keys with T1 = 1024, have no published vector. These
// were produced with OpenSSL 3 libcrypto (RC2-ECB, EVP_CTRL_SET_RC2_KEY_BITS = 1024) and
// agree with Nettle 3.8 (arctwo_set_key_ekb with ekb = 1024).
TEST(Rc2, ProgramParameters) {
    TRc2 c;
    EXPECT_EQ(c.EffectiveKeyBits(), 1024);
    EXPECT_EQ(c.MaxKeySize(), 1024);
    EXPECT_EQ(c.BlockSize(), 64);
    test::ExpectVectors(
        c, {{"000102030405060708090a0b0c0d0e0f10111213", "0000000000000000", "b96d667789cc7593"},
            {"88bca90e90875a7f0f79c384627bafb216f80a6f", "0123456789abcdef", "d7d7bbd70d091279"}});
}

TEST(Rc2, CommonBehaviour) {
    TRc2 c;
    test::ExpectCommonBehaviour(c, 20);
    TRc2 full;
    test::ExpectCommonBehaviour(full, 128);
}

TEST(Rc2, EffectiveKeyBitsOutOfRangeAreRefused) {
    EXPECT_THROW(TRc2(0), Error);
    EXPECT_THROW(TRc2(1025), Error);
    EXPECT_NO_THROW(TRc2(1));
}

}  // namespace
}  // namespace dovrel
