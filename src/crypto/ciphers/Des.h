#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// DES (FIPS 46-3). The key is 8 bytes whose parity bits are ignored; a shorter key is
// extended with zero bytes.
class TDes final : public TBlockCipher64 {
public:
    TDes();
    ~TDes() override;

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    std::uint32_t schedule_[32] = {};
};

}  // namespace dovrel
