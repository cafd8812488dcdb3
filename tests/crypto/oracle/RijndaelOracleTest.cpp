#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "crypto/ciphers/Rijndael.h"
#include "crypto/oracle/OracleSupport.h"

namespace dovrel {
namespace {

using test::Bytes;

// OpenSSL's AES keyed with our key zero-extended to 16, 24 or 32 bytes.
test::Oracle OpenSsl() {
    auto key = std::make_shared<Bytes>();
    auto name = [key] {
        return key->size() == 16   ? "AES-128-ECB"
               : key->size() == 24 ? "AES-192-ECB"
                                   : "AES-256-ECB";
    };
    return {
        [key](const Bytes& k) {
            *key = test::ZeroExtended(k, test::NextStandardKeyBytes(k.size()));
        },
        [key, name](const Bytes& b) { return test::OpenSslBlock(name(), *key, b, true); },
        [key, name](const Bytes& b) { return test::OpenSslBlock(name(), *key, b, false); },
    };
}

// Keys of every length from 1 to 32 bytes, the program's 20 among them.
TEST(RijndaelOracleTest, MatchesOpenSslForRandomKeysAndBlocks) {
    std::mt19937 rng(777);
    TRijndael c;
    test::CompareAtEveryKeyLengthUpTo32(c, OpenSsl(), rng);
}

}  // namespace
}  // namespace dovrel
