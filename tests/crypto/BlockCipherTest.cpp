// The chaining rules of the ".enc" format, checked with a toy block function so that every
// expected byte can be computed by hand from the rules themselves.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "crypto/BlockCipher.h"
#include "crypto/Sha1.h"
#include "platform/Error.h"
#include "platform/MemoryStream.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// E(x) = (x rotated left by one byte) XOR key; easy to invert, enough to tell blocks apart.
class TToyCipher final : public TBlockCipher64 {
public:
    TToyCipher() : TBlockCipher64(64) {}

    static Bytes Encrypt(const Bytes& key, const Bytes& x) {
        Bytes out(8);
        for (int i = 0; i < 8; ++i)
            out[i] = x[(i + 1) % 8] ^ key[i % key.size()];
        return out;
    }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override {
        key_.assign(key.begin(), key.end());
    }
    void WipeSchedule() noexcept override { std::fill(key_.begin(), key_.end(), 0); }
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override {
        const Bytes result = Encrypt(key_, Bytes(in, in + 8));
        std::memcpy(out, result.data(), 8);
    }
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override {
        Bytes x(8);
        for (int i = 0; i < 8; ++i)
            x[(i + 1) % 8] = in[i] ^ key_[i % key_.size()];
        std::memcpy(out, x.data(), 8);
    }

private:
    Bytes key_;
};

const Bytes kKey = {1, 2, 3, 4, 5, 6, 7, 8};

Bytes Xor(const Bytes& a, const Bytes& b) {
    Bytes out(a.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        out[i] = a[i] ^ b[i];
    return out;
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t n) {
    return Bytes(b.begin() + from, b.begin() + from + n);
}

Bytes Data(std::size_t n) {
    Bytes data(n);
    for (std::size_t i = 0; i < n; ++i)
        data[i] = static_cast<std::uint8_t>(0x30 + i * 7);
    return data;
}

Bytes IvOf(const Bytes& key) {
    return TToyCipher::Encrypt(key, Bytes(8, 0));
}

// Encrypts `data` cut into pieces of the given lengths.
Bytes EncryptInPieces(TToyCipher& c, const Bytes& data, std::initializer_list<std::size_t> pieces) {
    Bytes out(data.size());
    std::size_t at = 0;
    for (std::size_t n : pieces) {
        c.EncryptChained(data.data() + at, out.data() + at, n);
        at += n;
    }
    return out;
}

TEST(BlockCipher, RefusesToWorkWithoutAKey) {
    TToyCipher c;
    std::uint8_t buffer[8] = {};
    const std::function<void()> operations[] = {
        [&] { c.EncryptBlock(buffer, buffer); },
        [&] { c.DecryptBlock(buffer, buffer); },
        [&] { c.EncryptChained(buffer, buffer, 8); },
        [&] { c.DecryptChained(buffer, buffer, 3); },
        [&] { c.EncryptCFB8(buffer, buffer, 1); },
        [&] { c.DecryptCFB8(buffer, buffer, 1); },
        [&] { c.ResetChain(); },
    };
    for (const auto& operation : operations) {
        try {
            operation();
            ADD_FAILURE() << "an operation worked without a key";
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), L"Cipher not initialized");
        }
    }
}

TEST(BlockCipher, KeyInstallationDerivesTheChainFromTheKey) {
    TToyCipher c;
    c.InitKey(kKey);
    EXPECT_TRUE(c.HasKey());
    EXPECT_EQ(Bytes(c.IV().begin(), c.IV().end()), IvOf(kKey));
    EXPECT_EQ(Bytes(c.CV().begin(), c.CV().end()), IvOf(kKey));
    c.WipeKey();
    EXPECT_FALSE(c.HasKey());
    EXPECT_EQ(Bytes(c.IV().begin(), c.IV().end()), Bytes(8, 0xFF));
    EXPECT_EQ(Bytes(c.CV().begin(), c.CV().end()), Bytes(8, 0xFF));
}

TEST(BlockCipher, RejectsKeysOfImpossibleLength) {
    TToyCipher c;
    for (std::size_t n : {std::size_t{0}, std::size_t{9}}) {
        try {
            c.InitKey(Bytes(n, 1));
            ADD_FAILURE() << n << " key bytes were accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), L"Invalid key size");
        }
        EXPECT_FALSE(c.HasKey());
    }
}

TEST(BlockCipher, ChainedEncryptionEndsWithThePartialBlockRule) {
    TToyCipher c;
    c.InitKey(kKey);
    const Bytes data = Data(20);
    const Bytes out = EncryptInPieces(c, data, {20});

    const Bytes c1 = TToyCipher::Encrypt(kKey, Xor(Slice(data, 0, 8), IvOf(kKey)));
    const Bytes c2 = TToyCipher::Encrypt(kKey, Xor(Slice(data, 8, 8), c1));
    const Bytes next = TToyCipher::Encrypt(kKey, c2);
    EXPECT_EQ(Slice(out, 0, 8), c1);
    EXPECT_EQ(Slice(out, 8, 8), c2);
    EXPECT_EQ(Slice(out, 16, 4), Xor(Slice(data, 16, 4), Slice(next, 0, 4)));
    // The partial ciphertext does not enter the chain; the encrypted block stays.
    EXPECT_EQ(Bytes(c.CV().begin(), c.CV().end()), next);
}

TEST(BlockCipher, HowTheDataIsCutChangesTheResult) {
    TToyCipher whole, halves;
    whole.InitKey(kKey);
    halves.InitKey(kKey);
    const Bytes data = Data(20);
    const Bytes one = EncryptInPieces(whole, data, {20});
    const Bytes two = EncryptInPieces(halves, data, {10, 10});
    EXPECT_EQ(Slice(one, 0, 8), Slice(two, 0, 8));
    EXPECT_NE(one[8], two[8]);
    // In two pieces: block 1, two bytes by the rule, then block 2 from the new chain.
    const Bytes c1 = Slice(two, 0, 8);
    const Bytes v1 = TToyCipher::Encrypt(kKey, c1);
    EXPECT_EQ(Slice(two, 8, 2), Xor(Slice(data, 8, 2), Slice(v1, 0, 2)));
    EXPECT_EQ(Slice(two, 10, 8), TToyCipher::Encrypt(kKey, Xor(Slice(data, 10, 8), v1)));
}

TEST(BlockCipher, OneByteCallsWalkTheEncryptionsOfTheChain) {
    TToyCipher c;
    c.InitKey(kKey);
    const Bytes data = Data(3);
    const Bytes out = EncryptInPieces(c, data, {1, 1, 1});
    Bytes v = IvOf(kKey);
    for (std::size_t i = 0; i < 3; ++i) {
        v = TToyCipher::Encrypt(kKey, v);
        EXPECT_EQ(out[i], data[i] ^ v[0]) << "byte " << i;
    }
}

TEST(BlockCipher, DecryptionInvertsEncryptionForTheSameCuts) {
    for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 16u, 23u, 8192u, 8195u}) {
        SCOPED_TRACE(n);
        TToyCipher c;
        c.InitKey(kKey);
        const Bytes data = Data(n);
        Bytes buffer = data;
        c.EncryptChained(buffer.data(), buffer.data(), n);  // in place
        c.EncryptChained(buffer.data(), buffer.data(), 0);
        c.InitKey(kKey);
        c.DecryptChained(buffer.data(), buffer.data(), n);
        EXPECT_EQ(buffer, data);
    }
}

TEST(BlockCipher, Cfb8FeedsCiphertextBytesIntoTheChain) {
    TToyCipher c;
    c.InitKey(kKey);
    const Bytes name = {'a', '.', 't', 'x', 't'};
    Bytes encrypted(5);
    c.EncryptCFB8(name.data(), encrypted.data(), 5);
    // A name shorter than a block leaves the tail of IV followed by the ciphertext.
    Bytes expectedChain = Slice(IvOf(kKey), 5, 3);
    expectedChain.insert(expectedChain.end(), encrypted.begin(), encrypted.end());
    EXPECT_EQ(Bytes(c.CV().begin(), c.CV().end()), expectedChain);
    EXPECT_EQ(encrypted[0], name[0] ^ TToyCipher::Encrypt(kKey, IvOf(kKey))[0]);

    c.InitKey(kKey);
    Bytes decrypted(5);
    c.DecryptCFB8(encrypted.data(), decrypted.data(), 5);
    EXPECT_EQ(decrypted, name);
    EXPECT_EQ(Bytes(c.CV().begin(), c.CV().end()), expectedChain);
}

TEST(BlockCipher, PasswordKeyIsTheLeadingDigestBytes) {
    TToyCipher fromPassword, fromKey;
    for (const std::string password : {"", "secret"}) {
        SCOPED_TRACE(password);
        const Bytes bytes(password.begin(), password.end());
        fromPassword.SetKeyFromPassword(bytes);
        const auto digest = TSha1::Digest(bytes);
        fromKey.InitKey(std::span<const std::uint8_t>(digest.data(), 8));  // MaxKeySize 64 bits
        EXPECT_EQ(Bytes(fromPassword.IV().begin(), fromPassword.IV().end()),
                  Bytes(fromKey.IV().begin(), fromKey.IV().end()));
    }
    // SHA-1 of no bytes at all begins da39a3ee5e6b4b0d (FIPS 180-1 padding of the empty message).
    fromPassword.SetKeyFromPassword({});
    EXPECT_EQ(Bytes(fromPassword.IV().begin(), fromPassword.IV().end()),
              IvOf({0xda, 0x39, 0xa3, 0xee, 0x5e, 0x6b, 0x4b, 0x0d}));
}

TEST(BlockCipher, AKeyTheCipherRefusesBecomesTheDigestError) {
    // A 4-bit cipher cannot take the 8 digest bytes it asks for.
    class TTinyKeyCipher final : public TBlockCipher64 {
    public:
        TTinyKeyCipher() : TBlockCipher64(4) {}

    protected:
        void SetupKey(std::span<const std::uint8_t>) override {}
        void WipeSchedule() noexcept override {}
        void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override {
            std::memmove(out, in, 8);
        }
        void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override {
            std::memmove(out, in, 8);
        }
    } c;
    try {
        c.SetKeyFromPassword(Bytes{'p'});
        FAIL() << "the key was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Unable to allocate sufficient memory for hash digest");
    }
    EXPECT_FALSE(c.HasKey());
}

TEST(BlockCipher, TextIsCfb8InBase64) {
    TToyCipher c;
    const struct {
        std::size_t bytes, characters;
        const char* ending;
    } cases[] = {{3, 4, ""}, {4, 8, "=="}, {5, 8, "="}, {0, 0, ""}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.bytes);
        const Bytes name = Data(k.bytes);
        c.InitKey(kKey);
        const std::string text = c.EncryptText(name);
        EXPECT_EQ(text.size(), k.characters);
        EXPECT_TRUE(text.ends_with(k.ending)) << text;
        EXPECT_EQ(text.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        c.InitKey(kKey);
        EXPECT_EQ(c.DecryptText(text + "xy"), name)
            << "characters after the last group are ignored";
    }
}

TEST(BlockCipher, StreamPartsCutAtTheBufferSize) {
    const Bytes data = Data(2 * 8192 + 5);
    TToyCipher byStream, byHand;
    byStream.InitKey(kKey);
    byHand.InitKey(kKey);
    TMemoryStream source(data), target;
    EXPECT_EQ(byStream.EncryptStreamPart(source, target, static_cast<std::uint32_t>(data.size())),
              data.size());
    EXPECT_EQ(target.Bytes(), EncryptInPieces(byHand, data, {8192, 8192, 5}));

    // Back through the decrypting side with the same cut.
    TToyCipher back;
    back.InitKey(kKey);
    TMemoryStream encrypted(target.Bytes()), plain;
    back.DecryptStreamPart(encrypted, plain, static_cast<std::uint32_t>(data.size()));
    EXPECT_EQ(plain.Bytes(), data);
}

TEST(BlockCipher, AShortSourceEncryptsWhatItHas) {
    TToyCipher byStream, byHand;
    byStream.InitKey(kKey);
    byHand.InitKey(kKey);
    const Bytes data = Data(13);
    TMemoryStream source(data), target;
    EXPECT_EQ(byStream.EncryptStreamPart(source, target, 100), 13u);
    EXPECT_EQ(target.Bytes(), EncryptInPieces(byHand, data, {13}));
}

TEST(BlockCipher, AFullTargetRaisesTheWriteError) {
    TToyCipher c;
    c.InitKey(kKey);
    TMemoryStream source(Data(64)), target({}, 10);
    try {
        c.EncryptStreamPart(source, target, 64);
        FAIL() << "the short write was not noticed";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Stream write error");
    }
}

}  // namespace
}  // namespace dovrel
