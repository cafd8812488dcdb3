#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// RC6-32/20/b: 32-bit words, 20 rounds, a key of 1 to 256 bytes (Rivest, Robshaw, Sidney,
// Yin, "The RC6 Block Cipher", v1.1, 1998).
class TRc6 final : public TBlockCipher128 {
public:
    static constexpr int kRounds = 20;

    TRc6() : TBlockCipher128(2048) {}
    ~TRc6() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    std::uint32_t s_[2 * kRounds + 4] = {};
};

}  // namespace dovrel
