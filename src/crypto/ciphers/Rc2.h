#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// RC2 as described in RFC 2268. The program keys it with 20 bytes and an effective key
// length of 1024 bits; other effective lengths exist for interoperability and for the
// RFC's own test vectors.
class TRc2 final : public TBlockCipher64 {
public:
    static constexpr int kDefaultEffectiveKeyBits = 1024;

    TRc2() : TRc2(kDefaultEffectiveKeyBits) {}
    // effectiveKeyBits is T1 of RFC 2268 section 2, 1..1024.
    explicit TRc2(int effectiveKeyBits);

    int EffectiveKeyBits() const noexcept { return effectiveKeyBits_; }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    int effectiveKeyBits_;
    std::uint16_t k_[64] = {};
};

}  // namespace dovrel
