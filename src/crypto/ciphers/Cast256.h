#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// CAST-256 (RFC 2612): 128-bit block, 48 rounds. Any key of 1 to 32 bytes is accepted and
// zero-extended to 256 bits, the rule RFC 2612 gives for its 128..256-bit keys.
class TCast256 final : public TBlockCipher128 {
public:
    TCast256() : TBlockCipher128(256) {}
    ~TCast256() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    // Km(i) and Kr(i) of the RFC 2612 key schedule for the 12 quad-rounds; rotations kept as
    // 5-bit values in 32-bit words.
    std::uint32_t km_[12][4] = {};
    std::uint32_t kr_[12][4] = {};
};

}  // namespace dovrel
