#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Blowfish (Schneier, Fast Software Encryption 1993): 16 rounds, keys of 1 to 56 bytes.
class TBlowfish final : public TBlockCipher64 {
public:
    TBlowfish() : TBlockCipher64(448) {}
    ~TBlowfish() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    void Encrypt(std::uint32_t& l, std::uint32_t& r) const noexcept;
    void Decrypt(std::uint32_t& l, std::uint32_t& r) const noexcept;

    std::uint32_t p_[18] = {};
    std::uint32_t s_[4][256] = {};
};

}  // namespace dovrel
