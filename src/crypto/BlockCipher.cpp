#include "crypto/BlockCipher.h"

#include <cstring>

#include "platform/Error.h"

namespace dovrel {

namespace {

void XorInto(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = a[i] ^ b[i];
}

}  // namespace

TBlockCipher::TBlockCipher(int maxKeySizeBits, std::size_t blockBytes)
    : TCipher(maxKeySizeBits), blockBytes_(blockBytes) {}

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
    const std::size_t b = blockBytes_;
    for (; n >= b; n -= b, in += b, out += b) {
        XorInto(cv_, in, cv_, b);
        EncryptBlockImpl(cv_, cv_);
        std::memcpy(out, cv_, b);
    }
    if (n != 0)
        PartialBlock(in, out, n);
}

void TBlockCipher::DecryptChained(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    RequireKey();
    const std::size_t b = blockBytes_;
    std::uint8_t t[kMaxBlockBytes];
    for (; n >= b; n -= b, in += b, out += b) {
        std::memcpy(t, in, b);
        DecryptBlockImpl(t, out);
        XorInto(out, out, cv_, b);
        std::memcpy(cv_, t, b);
    }
    if (n != 0)
        PartialBlock(in, out, n);
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

}  // namespace dovrel
