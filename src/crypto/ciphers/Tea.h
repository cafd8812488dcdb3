#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// The program's TEA variant: the 32-cycle Feistel structure and constant of Wheeler and
// Needham's TEA, with a round function that adds its terms instead of XORing them. It is
// not compatible with TEA.
class TTea final : public TBlockCipher64 {
public:
    TTea() : TBlockCipher64(128) {}
    ~TTea() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    std::uint32_t k_[4] = {};
};

}  // namespace dovrel
