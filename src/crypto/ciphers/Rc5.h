#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// RC5-32/12/b: 32-bit words, 12 rounds, a key of 1 to 256 bytes (Rivest 1994, RFC 2040).
class TRc5 final : public TBlockCipher64 {
public:
    static constexpr int kRounds = 12;

    TRc5() : TBlockCipher64(2048) {}
    ~TRc5() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    std::uint32_t s_[2 * kRounds + 2] = {};
};

}  // namespace dovrel
