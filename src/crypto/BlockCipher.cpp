#include "crypto/BlockCipher.h"

#include <algorithm>
#include <cstring>

#include "crypto/Base64.h"
#include "crypto/ChainedBlocks.h"
#include "crypto/Sha1.h"
#include "platform/Error.h"
#include "platform/Stream.h"

namespace dovrel {

namespace {

void XorInto(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = a[i] ^ b[i];
}

}  // namespace

TBlockCipher::TBlockCipher(int maxKeySizeBits, std::size_t blockBytes)
    : TCipher(maxKeySizeBits), blockBytes_(blockBytes) {}

void TBlockCipher::SetKeyFromPassword(std::span<const std::uint8_t> password) {
    if (hasKey_)
        WipeKey();
    std::uint8_t digest[TSha1::DigestBytes];
    bool installed = false;
    try {
        TSha1 sha;
        sha.Update(password);
        sha.Final(digest);
        const std::size_t keyBytes = std::min<std::size_t>(MaxKeySize(), TSha1::HashSize) / 8;
        InitKey(std::span<const std::uint8_t>(digest, keyBytes));
        installed = true;
    } catch (...) {
    }
    std::memset(digest, 0xFF, sizeof digest);
    if (!installed)
        throw Error(L"Unable to allocate sufficient memory for hash digest");
}

void TBlockCipher::InitKey(std::span<const std::uint8_t> key) {
    const std::size_t bits = key.size() * 8;
    if (bits == 0 || bits > static_cast<std::size_t>(MaxKeySize()))
        throw Error(L"Invalid key size");
    if (hasKey_)
        WipeKey();
    SetupKey(key);
    hasKey_ = true;
    const std::uint8_t zero[kMaxBlockBytes] = {};
    EncryptBlockImpl(zero, iv_);
    ResetChain();
}

void TBlockCipher::WipeKey() {
    std::memset(iv_, 0xFF, sizeof iv_);
    std::memset(cv_, 0xFF, sizeof cv_);
    WipeSchedule();
    hasKey_ = false;
}

void TBlockCipher::ResetChain() {
    RequireKey();
    std::memcpy(cv_, iv_, blockBytes_);
}

void TBlockCipher::RequireKey() const {
    if (!hasKey_)
        throw Error(L"Cipher not initialized");
}

void TBlockCipher::EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    RequireKey();
    EncryptBlockImpl(in, out);
}

void TBlockCipher::DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    RequireKey();
    DecryptBlockImpl(in, out);
}

// A trailing piece shorter than a block: CV moves on by one encryption and the piece
// is XORed with its first bytes, the same way in both directions.
void TBlockCipher::PartialBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t r) {
    EncryptBlockImpl(cv_, cv_);
    XorInto(out, in, cv_, r);
}

void TBlockCipher::EncryptChained(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    RequireKey();
    const std::size_t blocks = n / blockBytes_;
    const std::size_t whole = blocks * blockBytes_;
    if (blocks != 0)
        EncryptChainedBlocks(cv_, in, out, blocks);
    if (n != whole)
        PartialBlock(in + whole, out + whole, n - whole);
}

void TBlockCipher::DecryptChained(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    RequireKey();
    const std::size_t blocks = n / blockBytes_;
    const std::size_t whole = blocks * blockBytes_;
    if (blocks != 0)
        DecryptChainedBlocks(cv_, in, out, blocks);
    if (n != whole)
        PartialBlock(in + whole, out + whole, n - whole);
}

void TBlockCipher::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                        std::size_t blocks) const {
    const auto block = [this](const std::uint8_t* i, std::uint8_t* o) { EncryptBlockImpl(i, o); };
    if (blockBytes_ == 8)
        chained::EncryptBlocks<8>(cv, in, out, blocks, block);
    else
        chained::EncryptBlocks<16>(cv, in, out, blocks, block);
}

void TBlockCipher::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                        std::size_t blocks) const {
    const auto block = [this](const std::uint8_t* i, std::uint8_t* o) { DecryptBlockImpl(i, o); };
    if (blockBytes_ == 8)
        chained::DecryptBlocks<8>(cv, in, out, blocks, block);
    else
        chained::DecryptBlocks<16>(cv, in, out, blocks, block);
}

void TBlockCipher::EncryptCFB8(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    RequireKey();
    const std::size_t b = blockBytes_;
    std::uint8_t t[kMaxBlockBytes];
    for (std::size_t i = 0; i < n; ++i) {
        EncryptBlockImpl(cv_, t);
        const std::uint8_t c = in[i] ^ t[0];
        std::memmove(cv_, cv_ + 1, b - 1);
        cv_[b - 1] = c;
        out[i] = c;
    }
}

void TBlockCipher::DecryptCFB8(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    RequireKey();
    const std::size_t b = blockBytes_;
    std::uint8_t t[kMaxBlockBytes];
    for (std::size_t i = 0; i < n; ++i) {
        EncryptBlockImpl(cv_, t);
        const std::uint8_t c = in[i];
        std::memmove(cv_, cv_ + 1, b - 1);
        cv_[b - 1] = c;
        out[i] = c ^ t[0];
    }
}

std::string TBlockCipher::EncryptText(std::span<const std::uint8_t> text) {
    TBytes encrypted(text.begin(), text.end());
    EncryptCFB8(encrypted.data(), encrypted.data(), encrypted.size());
    return Base64Encode(encrypted);
}

TBytes TBlockCipher::DecryptText(std::string_view text) {
    RequireKey();
    TBytes bytes = Base64Decode(text);
    DecryptCFB8(bytes.data(), bytes.data(), bytes.size());
    return bytes;
}

std::uint32_t TBlockCipher::EncryptStreamPart(TStream& source, TStream& target,
                                              std::uint32_t count) {
    return TransformStreamPart(source, target, count, &TBlockCipher::EncryptChained);
}

std::uint32_t TBlockCipher::DecryptStreamPart(TStream& source, TStream& target,
                                              std::uint32_t count) {
    return TransformStreamPart(source, target, count, &TBlockCipher::DecryptChained);
}

// Every buffer is one chained call, so a piece that is not a whole number of blocks ends
// with the partial-block rule: the cut into 8192-byte pieces is part of the file format.
std::uint32_t TBlockCipher::TransformStreamPart(TStream& source, TStream& target,
                                                std::uint32_t count, ChainedCall transform) {
    RequireKey();
    constexpr std::uint32_t kBufferBytes = 8192;
    std::uint8_t buffer[kBufferBytes];
    std::uint32_t total = 0;
    while (count != 0) {
        const std::uint32_t piece = std::min(count, kBufferBytes);
        const std::size_t read = source.Read(buffer, piece);
        (this->*transform)(buffer, buffer, read);
        target.WriteBuffer(buffer, read);
        total += static_cast<std::uint32_t>(read);
        count -= piece;
    }
    std::memset(buffer, 0, sizeof buffer);
    return total;
}

}  // namespace dovrel
