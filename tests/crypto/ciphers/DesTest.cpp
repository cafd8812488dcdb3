#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Des.h"

namespace dovrel {
namespace {

using test::BlockVector;
using test::Hex;
using test::ToHex;

// The known-answer tables of NIST SP 800-17 (MOVS), Appendix A. The same values are
// published with K1 = K2 = K3 in NIST SP 800-20 and the CAVP KAT_TDES files (CAVS 11.1).

// Keeps generated hex strings alive for the BlockVectors that point into them.
struct VectorTable {
    std::vector<std::string> text;
    std::vector<BlockVector> vectors;

    void Add(std::string key, std::string plain, std::string cipher) {
        text.push_back(std::move(key));
        text.push_back(std::move(plain));
        text.push_back(std::move(cipher));
    }
    const std::vector<BlockVector>& Build() {
        vectors.clear();
        for (std::size_t i = 0; i < text.size(); i += 3)
            vectors.push_back({text[i].c_str(), text[i + 1].c_str(), text[i + 2].c_str()});
        return vectors;
    }
};

std::string BlockWithBit(int bit, std::uint8_t rest) {
    std::vector<std::uint8_t> b(8, rest);
    b[bit / 8] = static_cast<std::uint8_t>(0x80 >> (bit % 8));
    return ToHex(b);
}

// SP 800-17 Table A.1, variable plaintext: key 0101010101010101, plaintext = bit i alone.
// Read backwards it is Table A.2, the inverse permutation test, which ExpectVectors covers
// by decrypting.
TEST(Des, VariablePlaintextAndInversePermutation) {
    static const char* const kCipher[64] = {
        "95f8a5e5dd31d900", "dd7f121ca5015619", "2e8653104f3834ea", "4bd388ff6cd81d4f",
        "20b9e767b2fb1456", "55579380d77138ef", "6cc5defaaf04512f", "0d9f279ba5d87260",
        "d9031b0271bd5a0a", "424250b37c3dd951", "b8061b7ecd9a21e5", "f15d0f286b65bd28",
        "add0cc8d6e5deba1", "e6d5f82752ad63d1", "ecbfe3bd3f591a5e", "f356834379d165cd",
        "2b9f982f20037fa9", "889de068a16f0be6", "e19e275d846a1298", "329a8ed523d71aec",
        "e7fce22557d23c97", "12a9f5817ff2d65d", "a484c3ad38dc9c19", "fbe00a8a1ef8ad72",
        "750d079407521363", "64feed9c724c2faf", "f02b263b328e2b60", "9d64555a9a10b852",
        "d106ff0bed5255d7", "e1652c6b138c64a5", "e428581186ec8f46", "aeb5f5ede22d1a36",
        "e943d7568aec0c5c", "df98c8276f54b04b", "b160e4680f6c696f", "fa0752b07d9c4ab8",
        "ca3a2b036dbc8502", "5e0905517bb59bcf", "814eeb3b91d90726", "4d49db1532919c9f",
        "25eb5fc3f8cf0621", "ab6a20c0620d1c6f", "79e90dbc98f92cca", "866ecedd8072bb0e",
        "8b54536f2f3e64a8", "ea51d3975595b86b", "caffc6ac4542de31", "8dd45a2ddf90796c",
        "1029d55e880ec2d0", "5d86cb23639dbea9", "1d1ca853ae7c0c5f", "ce332329248f3228",
        "8405d1abe24fb942", "e643d78090ca4207", "48221b9937748a23", "dd7c0bbd61fafd54",
        "2fbc291a570db5c4", "e07c30d7e4e26e12", "0953e2258e8e90a1", "5b711bc4ceebf2ee",
        "cc083f1e6d9e85f6", "d2fd8867d50d2dfe", "06e7ea22ce92708f", "166b40b44aba4bd6",
    };
    VectorTable table;
    for (int i = 0; i < 64; ++i)
        table.Add("0101010101010101", BlockWithBit(i, 0), kCipher[i]);
    TDes des;
    test::ExpectVectors(des, table.Build());
}

// SP 800-17 Table A.3, variable key: plaintext 0, the key walks one bit over the 56 key
// bits (bytes other than the one holding the bit are 01, i.e. odd parity).
TEST(Des, VariableKey) {
    static const char* const kCipher[56] = {
        "95a8d72813daa94d", "0eec1487dd8c26d5", "7ad16ffb79c45926", "d3746294ca6a6cf3",
        "809f5f873c1fd761", "c02faffec989d1fc", "4615aa1d33e72f10", "2055123350c00858",
        "df3b99d6577397c8", "31fe17369b5288c9", "dfdd3cc64dae1642", "178c83ce2b399d94",
        "50f636324a9b7f80", "a8468ee3bc18f06d", "a2dc9e92fd3cde92", "cac09f797d031287",
        "90ba680b22aeb525", "ce7a24f350e280b6", "882bff0aa01a0b87", "25610288924511c2",
        "c71516c29c75d170", "5199c29a52c9f059", "c22f0a294a71f29f", "ee371483714c02ea",
        "a81fbd448f9e522f", "4f644c92e192dfed", "1afa9a66a6df92ae", "b3c1cc715cb879d8",
        "19d032e64ab0bd8b", "3cfaa7a7dc8720dc", "b7265f7f447ac6f3", "9db73b3c0d163f54",
        "8181b65babf4a975", "93c9b64042eaa240", "5570530829705592", "8638809e878787a0",
        "41b9a79af79ac208", "7a9be42f2009a892", "29038d56ba6d2745", "5495c6abf1e5df51",
        "ae13dbd561488933", "024d1ffa8904e389", "d1399712f99bf02e", "14c1d7c1cffec79e",
        "1de5279dae3bed6f", "e941a33f85501303", "da99dbbc9a03f379", "b7fc92f91d8e92e9",
        "ae8e5caa3ca04e85", "9cc62df43b6eed74", "d863dbb5c59a91a0", "a1ab2190545b91d7",
        "0875041e64c570f7", "5a594528bebef1cc", "fcdb3291de21f0c0", "869efd7f9f265a09",
    };
    VectorTable table;
    for (int i = 0; i < 56; ++i) {
        const int bit = i / 7 * 8 + i % 7;  // skips the parity bit of each byte
        table.Add(BlockWithBit(bit, 0x01), "0000000000000000", kCipher[i]);
    }
    TDes des;
    test::ExpectVectors(des, table.Build());
}

// SP 800-17 Table A.4, permutation operation: plaintext 0.
const std::vector<BlockVector> kPermutationOperation = {
    {"1046913489980131", "0000000000000000", "88d55e54f54c97b4"},
    {"1007103489988020", "0000000000000000", "0c0cc00c83ea48fd"},
    {"10071034c8980120", "0000000000000000", "83bc8ef3a6570183"},
    {"1046103489988020", "0000000000000000", "df725dcad94ea2e9"},
    {"1086911519190101", "0000000000000000", "e652b53b550be8b0"},
    {"1086911519580101", "0000000000000000", "af527120c485cbb0"},
    {"5107b01519580101", "0000000000000000", "0f04ce393db926d5"},
    {"1007b01519190101", "0000000000000000", "c9f00ffc74079067"},
    {"3107915498080101", "0000000000000000", "7cfd82a593252b4e"},
    {"3107919498080101", "0000000000000000", "cb49a2f9e91363e3"},
    {"10079115b9080140", "0000000000000000", "00b588be70d23f56"},
    {"3107911598080140", "0000000000000000", "406a9a6ab43399ae"},
    {"1007d01589980101", "0000000000000000", "6cb773611dca9ada"},
    {"9107911589980101", "0000000000000000", "67fd21c17dbb5d70"},
    {"9107d01589190101", "0000000000000000", "9592cb4110430787"},
    {"1007d01598980120", "0000000000000000", "a6b7ff68a318ddd3"},
    {"1007940498190101", "0000000000000000", "4d102196c914ca16"},
    {"0107910491190401", "0000000000000000", "2dfa9f4573594965"},
    {"0107910491190101", "0000000000000000", "b46604816c0e0774"},
    {"0107940491190401", "0000000000000000", "6e7e6221a4f34e87"},
    {"19079210981a0101", "0000000000000000", "aa85e74643233199"},
    {"1007911998190801", "0000000000000000", "2e5a19db4d1962d6"},
    {"10079119981a0801", "0000000000000000", "23a866a809d30894"},
    {"1007921098190101", "0000000000000000", "d812d961f017d320"},
    {"100791159819010b", "0000000000000000", "055605816e58608f"},
    {"1004801598190101", "0000000000000000", "abd88e8b1b7716f1"},
    {"1004801598190102", "0000000000000000", "537ac95be69da1e1"},
    {"1004801598190108", "0000000000000000", "aed0f6ae3c25cdd8"},
    {"1002911598100104", "0000000000000000", "b3e35a5ee53e7b8d"},
    {"1002911598190104", "0000000000000000", "61c79c71921a2ef8"},
    {"1002911598100201", "0000000000000000", "e2f5728f0995013c"},
    {"1002911698100101", "0000000000000000", "1aeac39a61f0a464"},
};

// SP 800-17 Table A.5, substitution table: together these use every entry of all eight
// S-boxes.
const std::vector<BlockVector> kSubstitutionTable = {
    {"7ca110454a1a6e57", "01a1d6d039776742", "690f5b0d9a26939b"},
    {"0131d9619dc1376e", "5cd54ca83def57da", "7a389d10354bd271"},
    {"07a1133e4a0b2686", "0248d43806f67172", "868ebb51cab4599a"},
    {"3849674c2602319e", "51454b582ddf440a", "7178876e01f19b2a"},
    {"04b915ba43feb5b6", "42fd443059577fa2", "af37fb421f8c4095"},
    {"0113b970fd34f2ce", "059b5e0851cf143a", "86a560f10ec6d85b"},
    {"0170f175468fb5e6", "0756d8e0774761d2", "0cd3da020021dc09"},
    {"43297fad38e373fe", "762514b829bf486a", "ea676b2cb7db2b7a"},
    {"07a7137045da2a16", "3bdd119049372802", "dfd64a815caf1a0f"},
    {"04689104c2fd3b2f", "26955f6835af609a", "5c513c9c4886c088"},
    {"37d06bb516cb7546", "164d5e404f275232", "0a2aeeae3ff4ab77"},
    {"1f08260d1ac2465e", "6b056e18759f5cca", "ef1bf03e5dfa575a"},
    {"584023641aba6176", "004bd6ef09176062", "88bf0db6d70dee56"},
    {"025816164629b007", "480d39006ee762f2", "a1f9915541020b56"},
    {"49793ebc79b3258f", "437540c8698f3cfa", "6fbf1cafcffd0556"},
    {"4fb05e1515ab73a7", "072d43a077075292", "2f22e49bab7ca1ac"},
    {"49e95d6d4ca229bf", "02fe55778117f12a", "5a6b612cc26cce4a"},
    {"018310dc409b26d6", "1d9d5c5018f728c2", "5f4c038ed12b2e41"},
    {"1c587f1c13924fef", "305532286d6f295a", "63fac0d034d9f793"},
};

// FIPS 81 Appendix B, Table B1: ECB encryption of "Now is the time for all ".
const std::vector<BlockVector> kFips81Ecb = {
    {"0123456789abcdef", "4e6f772069732074", "3fa40e8a984d4815"},
    {"0123456789abcdef", "68652074696d6520", "6a271787ab8883f9"},
    {"0123456789abcdef", "666f7220616c6c20", "893d51ec4b563b53"},
};

TEST(Des, PermutationOperation) {
    TDes des;
    test::ExpectVectors(des, kPermutationOperation);
}

TEST(Des, SubstitutionTable) {
    TDes des;
    test::ExpectVectors(des, kSubstitutionTable);
}

TEST(Des, Fips81Example) {
    TDes des;
    test::ExpectVectors(des, kFips81Ecb);
}

TEST(Des, CommonBehaviour) {
    TDes des;
    test::ExpectCommonBehaviour(des, 8);
}

// The last bit of each key byte is parity; the key schedule never reads it.
TEST(Des, ParityBitsAreIgnored) {
    TDes des;
    for (const auto& v : kSubstitutionTable) {
        auto key = Hex(v.key);
        for (auto& b : key)
            b ^= 0x01;
        EXPECT_EQ(test::EncryptHex(des, key, Hex(v.plain)), v.cipher) << ToHex(key);
    }
}

// A key shorter than 8 bytes is the same key with zero bytes appended.
TEST(Des, ShortKeyIsZeroExtended) {
    const auto full = Hex("7ca110454a1a6e57");
    const auto plain = Hex("01a1d6d039776742");
    TDes des;
    for (std::size_t n = 1; n < 8; ++n)
        test::ExpectZeroExtension(des, {full.begin(), full.begin() + n}, 8, plain);
}

TEST(Des, RejectsKeyLongerThan64Bits) {
    TDes des;
    EXPECT_EQ(des.MaxKeySize(), 64);
    EXPECT_EQ(des.BlockSize(), 64);
    const std::vector<std::uint8_t> nine(9, 0x11);
    EXPECT_THROW(des.InitKey(nine), Error);
}

}  // namespace
}  // namespace dovrel
