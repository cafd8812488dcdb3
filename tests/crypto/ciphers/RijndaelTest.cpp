#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/CpuFeatures.h"
#include "crypto/ciphers/Rijndael.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::Hex;
using test::ToHex;

// FIPS 197: Appendix B (cipher example) and Appendix C.1, C.2, C.3 (example vectors).
const std::vector<BlockVector> kFips197 = {
    {"2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {"000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
};

// NIST AESAVS known-answer tests (ECBGFSbox, ECBKeySbox, ECBVarTxt, ECBVarKey response
// files of the validation suite), the COUNT given per line.
const std::vector<BlockVector> kAesavs = {
    // GFSbox128 COUNT 0, GFSbox192 COUNT 0, GFSbox256 COUNT 0
    {"00000000000000000000000000000000", "f34481ec3cc627bacd5dc3fb08f273e6",
     "0336763e966d92595a567cc9ce537f5e"},
    {"000000000000000000000000000000000000000000000000", "1b077a6af4b7f98229de786d7516b639",
     "275cfc0413d8ccb70513c3859b1d0f72"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "014730f80ac625fe84f026c60bfd547d", "5c9d844ed46f9885085e5d6a4f94c7d7"},
    // KeySbox128 COUNT 0, KeySbox192 COUNT 0, KeySbox256 COUNT 0
    {"10a58869d74be5a374cf867cfb473859", "00000000000000000000000000000000",
     "6d251e6944b051e04eaa6fb4dbf78465"},
    {"e9f065d7c13573587f7875357dfbb16c53489f6a4bd0f7cd", "00000000000000000000000000000000",
     "0956259c9cd5cfd0181cca53380cde06"},
    {"c47b0294dbbbee0fec4757f22ffeee3587ca4730c3d33b691df38bab076bc558",
     "00000000000000000000000000000000", "46f2fb342d6f0ab477476fc501242c5f"},
    // VarTxt128 COUNT 0 and 127, VarTxt192 COUNT 0, VarTxt256 COUNT 0
    {"00000000000000000000000000000000", "80000000000000000000000000000000",
     "3ad78e726c1ec02b7ebfe92b23d9ec34"},
    {"00000000000000000000000000000000", "ffffffffffffffffffffffffffffffff",
     "3f5b8cc9ea855a0afa7347d23e8d664e"},
    {"000000000000000000000000000000000000000000000000", "80000000000000000000000000000000",
     "6cd02513e8d4dc986b4afe087a60bd0c"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "80000000000000000000000000000000", "ddc6bf790c15760d8d9aeb6f9a75fd4e"},
    // VarKey128 COUNT 0, VarKey192 COUNT 0
    {"80000000000000000000000000000000", "00000000000000000000000000000000",
     "0edd33d3c621e546455bd8ba1418bec8"},
    {"800000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "de885dc87f5a92594082d02cc1e1b42c"},
};

TEST(RijndaelTest, PublishedVectors) {
    TRijndael c;
    test::ExpectVectors(c, kFips197);
    test::ExpectVectors(c, kAesavs);
}

TEST(RijndaelTest, PublishedVectorsOnPortablePath) {
    test::PortableCiphersScope portable;
    TRijndael c;
    test::ExpectVectors(c, kFips197);
    test::ExpectVectors(c, kAesavs);
}

// What one key gives along the path of a file: the name in 8-bit CFB, then chained calls of
// the given lengths, each ending with the partial-block rule where it is not whole blocks.
struct ChainedRun {
    std::string name;
    test::Bytes data;
    test::Bytes cv;
};

ChainedRun RunChained(const test::Bytes& key, const test::Bytes& input,
                      const std::vector<std::size_t>& cuts, bool decrypt) {
    TRijndael c;
    c.InitKey(key);
    ChainedRun run;
    run.name = c.EncryptText(AsBytes("report.txt"));
    run.data = input;
    std::size_t at = 0;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const std::size_t n = cuts[i];
        // In place, as the file procedure calls it, and out of place every other call.
        std::uint8_t* out = run.data.data() + at;
        if (i % 2 == 1) {
            test::Bytes copy(input.begin() + at, input.begin() + at + n);
            decrypt ? c.DecryptChained(copy.data(), out, n) : c.EncryptChained(copy.data(), out, n);
        } else {
            decrypt ? c.DecryptChained(out, out, n) : c.EncryptChained(out, out, n);
        }
        at += n;
    }
    run.cv.assign(c.CV().begin(), c.CV().end());
    return run;
}

// The AES instructions and the portable code give the same bytes and leave the same chaining
// block for every kind of call the file format makes: one-byte steps, pieces shorter than a
// block, whole blocks below and above the eight decrypted together, the 8192-byte buffer and
// the remainders of a step, under keys of every schedule length.
TEST(RijndaelTest, AesInstructionsMatchPortableCode) {
    if (!CpuHasAesNi())
        GTEST_SKIP() << "this processor has no AES instructions";
    const std::vector<std::size_t> cuts = {1,   1,    15,   16,   17,   48,  127, 128,  129,
                                           144, 1808, 8192, 8192, 8191, 123, 45,  4096, 1};
    std::size_t total = 0;
    for (std::size_t n : cuts)
        total += n;
    std::mt19937 rng(0x5eed);
    for (std::size_t keyBytes : {1u, 16u, 20u, 24u, 32u}) {
        SCOPED_TRACE(testing::Message() << keyBytes << "-byte key");
        test::Bytes key(keyBytes), plain(total);
        test::FillRandom(key, rng);
        test::FillRandom(plain, rng);
        ChainedRun portable, portableBack;
        {
            test::PortableCiphersScope scope;
            portable = RunChained(key, plain, cuts, false);
            portableBack = RunChained(key, portable.data, cuts, true);
        }
        const ChainedRun fast = RunChained(key, plain, cuts, false);
        const ChainedRun fastBack = RunChained(key, portable.data, cuts, true);
        EXPECT_EQ(fast.name, portable.name);
        EXPECT_EQ(ToHex(fast.data), ToHex(portable.data));
        EXPECT_EQ(ToHex(fast.cv), ToHex(portable.cv));
        EXPECT_EQ(ToHex(fastBack.data), ToHex(portableBack.data));
        EXPECT_EQ(ToHex(fastBack.cv), ToHex(portableBack.cv));
        EXPECT_EQ(ToHex(fastBack.data), ToHex(plain));
    }
}

TEST(RijndaelTest, DecryptsInPlace) {
    TRijndael c;
    test::ExpectDecryptsInPlace(c, kFips197);
}

TEST(RijndaelTest, CommonBehaviourWithProgramKeyLength) {
    TRijndael c;
    test::ExpectCommonBehaviour(c, 20);
}

// A key shorter than 16, 24 or 32 bytes behaves exactly like that key followed by zero
// bytes up to the next of those lengths.
TEST(RijndaelTest, ShortKeysAreZeroExtended) {
    std::mt19937 rng(2024);
    TRijndael c;
    test::ExpectZeroExtensionToStandardLengths(c, rng, {1u, 7u, 15u, 17u, 20u, 23u, 25u, 31u});
}

// The program's 20-byte key runs the 192-bit schedule (12 rounds): twenty zero bytes give
// the all-zero 192-bit key's published answer.
TEST(RijndaelTest, TwentyByteKeyIsA192BitKey) {
    TRijndael c;
    c.InitKey(std::vector<std::uint8_t>(20, 0));
    std::vector<std::uint8_t> out(16);
    const auto plain = Hex("1b077a6af4b7f98229de786d7516b639");  // AESAVS GFSbox192 COUNT 0
    c.EncryptBlock(plain.data(), out.data());
    EXPECT_EQ(ToHex(out), "275cfc0413d8ccb70513c3859b1d0f72");
}

}  // namespace
}  // namespace dovrel
