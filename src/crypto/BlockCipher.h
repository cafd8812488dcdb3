#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

class TStream;

using TBytes = std::vector<std::uint8_t>;

// The bytes of a byte string (a password in the ANSI code page, a UTF-8 name).
inline std::span<const std::uint8_t> AsBytes(std::string_view s) noexcept {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Only cmCBC is ever selected; the others name modes a cipher object could be asked for.
enum class TCipherMode { cmCBC, cmCFB8bit, cmCFBblock, cmOFB, cmCTR };

class TCipher {
public:
    virtual ~TCipher() = default;
    TCipher(const TCipher&) = delete;
    TCipher& operator=(const TCipher&) = delete;

    // Largest key the algorithm accepts, in bits.
    int MaxKeySize() const noexcept { return maxKeySize_; }
    bool HasKey() const noexcept { return hasKey_; }

    virtual void WipeKey() = 0;

protected:
    explicit TCipher(int maxKeySizeBits) : maxKeySize_(maxKeySizeBits) {}

    bool hasKey_ = false;

private:
    int maxKeySize_;
};

// A block cipher with the chaining rules of the ".enc" format: CBC whose last partial
// block is XORed with a further encryption of the chaining block, 8-bit CFB for names,
// and a chaining block that carries over from call to call.
class TBlockCipher : public TCipher {
public:
    static constexpr std::size_t kMaxBlockBytes = 16;

    int BlockSize() const noexcept { return static_cast<int>(blockBytes_ * 8); }
    std::size_t BlockBytes() const noexcept { return blockBytes_; }
    TCipherMode CipherMode() const noexcept { return TCipherMode::cmCBC; }

    // The key is the first min(MaxKeySize, 160) / 8 bytes of the SHA-1 digest of the
    // password bytes (no salt, no terminator). Any failure here surfaces as the one error
    // "Unable to allocate sufficient memory for hash digest".
    void SetKeyFromPassword(std::span<const std::uint8_t> password);

    // Key installation: schedules `key` (whose length must be a whole number of nibbles,
    // not zero and at most MaxKeySize) and sets IV = CV = E(0).
    void InitKey(std::span<const std::uint8_t> key);
    void WipeKey() override;
    // CV := IV.
    void ResetChain();

    // One block of BlockBytes() bytes; `in` and `out` may be the same buffer.
    void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const;
    void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const;

    // In place allowed. Lengths need not be multiples of the block.
    void EncryptChained(const std::uint8_t* in, std::uint8_t* out, std::size_t n);
    void DecryptChained(const std::uint8_t* in, std::uint8_t* out, std::size_t n);
    void EncryptCFB8(const std::uint8_t* in, std::uint8_t* out, std::size_t n);
    void DecryptCFB8(const std::uint8_t* in, std::uint8_t* out, std::size_t n);

    // 8-bit CFB, then Base64 (RFC 4648, "=" padding, no line breaks), and back.
    std::string EncryptText(std::span<const std::uint8_t> text);
    TBytes DecryptText(std::string_view text);

    // Moves `count` bytes from `source` to `target` through one 8192-byte buffer, each
    // buffer a chained call of its own; returns the bytes read (fewer at the source's end).
    std::uint32_t EncryptStreamPart(TStream& source, TStream& target, std::uint32_t count);
    std::uint32_t DecryptStreamPart(TStream& source, TStream& target, std::uint32_t count);

    std::span<const std::uint8_t> IV() const noexcept { return {iv_, blockBytes_}; }
    std::span<const std::uint8_t> CV() const noexcept { return {cv_, blockBytes_}; }

protected:
    TBlockCipher(int maxKeySizeBits, std::size_t blockBytes);

    // The algorithm itself. SetupKey receives a key InitKey has validated and extends it
    // as the algorithm prescribes for short keys; WipeSchedule overwrites every byte of
    // key material. The block functions run only while a key is installed.
    virtual void SetupKey(std::span<const std::uint8_t> key) = 0;
    virtual void WipeSchedule() noexcept = 0;
    virtual void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const = 0;
    virtual void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const = 0;
    // The whole blocks of a chained call, CBC from `cv`, which they move on; in place
    // allowed. The defaults go through the virtual block functions one block at a time;
    // the ciphers override them with loops over their own block code (ChainedBlocks.h).
    virtual void EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t blocks) const;
    virtual void DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t blocks) const;

private:
    void RequireKey() const;
    void PartialBlock(const std::uint8_t* in, std::uint8_t* out, std::size_t r);
    using ChainedCall = void (TBlockCipher::*)(const std::uint8_t*, std::uint8_t*, std::size_t);
    std::uint32_t TransformStreamPart(TStream& source, TStream& target, std::uint32_t count,
                                      ChainedCall transform);

    std::size_t blockBytes_;
    std::uint8_t iv_[kMaxBlockBytes] = {};
    std::uint8_t cv_[kMaxBlockBytes] = {};
};

class TBlockCipher64 : public TBlockCipher {
protected:
    static constexpr std::size_t kBlockBytes = 8;
    explicit TBlockCipher64(int maxKeySizeBits) : TBlockCipher(maxKeySizeBits, 8) {}
};

class TBlockCipher128 : public TBlockCipher {
protected:
    static constexpr std::size_t kBlockBytes = 16;
    explicit TBlockCipher128(int maxKeySizeBits) : TBlockCipher(maxKeySizeBits, 16) {}
};

}  // namespace dovrel
