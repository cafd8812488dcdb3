#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// CAST-128 (RFC 2144): 64-bit block, keys of 1 to 16 bytes. Keys shorter than 16 bytes
// are padded with zero bytes on the right; keys of 80 bits or less run 12 rounds instead
// of 16 (RFC 2144 section 2.5).
class TCast128 final : public TBlockCipher64 {
public:
    TCast128() : TBlockCipher64(128) {}
    ~TCast128() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    // The rounds on the two halves, which end swapped, as the block is stored.
    void Encrypt(std::uint32_t& l, std::uint32_t& r) const noexcept;
    void Decrypt(std::uint32_t& l, std::uint32_t& r) const noexcept;

    std::uint32_t km_[16] = {};  // masking subkeys Km1..Km16
    std::uint32_t kr_[16] = {};  // rotation subkeys Kr1..Kr16, already reduced to 5 bits
    bool shortKey_ = false;      // 12 rounds
};

}  // namespace dovrel
