#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Triple DES in the encrypt-decrypt-encrypt form of NIST SP 800-67:
// C = E(K3, D(K2, E(K1, P))). The key is zero-extended to 24 bytes and split into
// K1, K2, K3 = bytes 0-7, 8-15, 16-23; a 20-byte key therefore has K3 = its last four
// bytes followed by four zero bytes, not K1.
class TTripleDes final : public TBlockCipher64 {
public:
    TTripleDes();
    ~TTripleDes() override;

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    std::uint32_t schedule_[3][32] = {};
};

}  // namespace dovrel
