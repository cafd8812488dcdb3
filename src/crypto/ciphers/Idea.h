#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// IDEA (Lai and Massey 1991): eight rounds and an output transformation on four
// big-endian 16-bit words, with a 128-bit key.
class TIdea final : public TBlockCipher64 {
public:
    TIdea() : TBlockCipher64(128) {}
    ~TIdea() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    static constexpr int kSubkeys = 52;

    // Subkeys are kept in 32-bit words so the round needs no widening.
    std::uint32_t ek_[kSubkeys] = {};
    std::uint32_t dk_[kSubkeys] = {};
};

}  // namespace dovrel
