#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// MISTY1 as described in RFC 2994: 64-bit block, 128-bit key, eight rounds with the FL
// layers. A key shorter than 16 bytes is extended with zero bytes.
class TMisty1 final : public TBlockCipher64 {
public:
    TMisty1() : TBlockCipher64(128) {}
    ~TMisty1() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    // The expanded key EK[0..31] of RFC 2994 section 2.2: the key words, FI(EK[i], EK[i+1]),
    // and the low 9 and high 7 bits of the latter.
    std::uint16_t ek_[32] = {};
};

}  // namespace dovrel
