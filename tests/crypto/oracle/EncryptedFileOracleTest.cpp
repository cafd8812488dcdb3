// A whole ".enc" file rebuilt with OpenSSL: for data cut into whole blocks the format is
// AES-192 (key = SHA-1 of the password, then four zero bytes), the name in 8-bit CFB from
// IV = E(0) and the data in plain CBC chained on from the name.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/sha.h>

#include "app/AppFolders.h"
#include "crypto/CryptoAlgorithms.h"
#include "platform/File.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes OpenSsl(const EVP_CIPHER* type, const Bytes& key, const Bytes& iv, const Bytes& in) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    Bytes out(in.size() + 32);
    int n = 0, m = 0;
    EVP_EncryptInit_ex(ctx, type, nullptr, key.data(), iv.empty() ? nullptr : iv.data());
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_EncryptUpdate(ctx, out.data(), &n, in.data(), static_cast<int>(in.size()));
    EVP_EncryptFinal_ex(ctx, out.data() + n, &m);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<std::size_t>(n + m));
    return out;
}

std::uint32_t ReferenceCrc32(const Bytes& bytes) {
    std::uint32_t r = 0xFFFFFFFF;
    for (std::uint8_t b : bytes) {
        r ^= b;
        for (int k = 0; k < 8; ++k)
            r = r >> 1 ^ (0xEDB88320u & (0u - (r & 1)));
    }
    return ~r;
}

TEST(EncryptedFileOracle, RijndaelFileIsAes192CfbNameAndCbcData) {
    test::TempFolder temp;
    InitAppFolders(temp.Path(L"data"));
    BuildCipherCatalogue();

    const std::string name = "abcdefghijklmnopqrst.txt";
    Bytes data(1600);  // steps of 16 bytes: whole blocks only
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::wstring path = temp.Folder() + std::wstring(name.begin(), name.end());
    {
        TFileStream f(path, TFileMode::fmCreate);
        f.WriteBuffer(data.data(), data.size());
    }
    std::string password = "Tr0ub4dor&3";
    TOperationEvents events{[] { return false; },
                            [](std::int64_t, std::int64_t, std::int64_t, double) {},
                            [](const std::wstring&, std::string&) { return false; }};
    ASSERT_TRUE(FindCipherById({'R', 'I', 'J'})->EncryptFile(path, password, events));

    Bytes key(SHA_DIGEST_LENGTH);
    SHA1(reinterpret_cast<const unsigned char*>(password.data()), password.size(), key.data());
    key.resize(24, 0);
    const Bytes iv = OpenSsl(EVP_aes_192_ecb(), key, {}, Bytes(16, 0));
    const Bytes nameCipher = OpenSsl(EVP_aes_192_cfb8(), key, iv, Bytes(name.begin(), name.end()));
    std::string base64(4 * ((nameCipher.size() + 2) / 3) + 1, '\0');
    base64.resize(static_cast<std::size_t>(
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(base64.data()), nameCipher.data(),
                        static_cast<int>(nameCipher.size()))));
    const Bytes chain(nameCipher.end() - 16, nameCipher.end());
    const Bytes dataCipher = OpenSsl(EVP_aes_192_cbc(), key, chain, data);

    Bytes utf16;
    for (char c : name)
        utf16.insert(utf16.end(), {static_cast<std::uint8_t>(c), 0});
    const std::uint32_t crc = ReferenceCrc32(utf16);
    Bytes expected = {'R', 'I', 'J'};
    for (int i = 0; i < 4; ++i)
        expected.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
    for (int i = 0; i < 4; ++i)
        expected.push_back(static_cast<std::uint8_t>(base64.size() >> (8 * i)));
    expected.insert(expected.end(), base64.begin(), base64.end());
    expected.insert(expected.end(), dataCipher.begin(), dataCipher.end());

    TFileStream enc(path + L".enc", TFileMode::fmOpenRead);
    Bytes actual(static_cast<std::size_t>(enc.Size()));
    enc.ReadBuffer(actual.data(), actual.size());
    EXPECT_EQ(actual, expected);
    ReleaseCipherCatalogue();
}

}  // namespace
}  // namespace dovrel
