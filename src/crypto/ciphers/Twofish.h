#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Twofish with 16 rounds (Schneier, Kelsey, Whiting, Wagner, Hall and Ferguson, "Twofish:
// A 128-Bit Block Cipher", 1998). Keys shorter than 128, 192 or 256 bits are padded with
// zero bytes to the next of those lengths, as that paper defines; a 20-byte key is a
// 192-bit key.
class TTwofish final : public TBlockCipher128 {
public:
    TTwofish() : TBlockCipher128(256) {}
    ~TTwofish() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    // Full keying: the key-dependent S-boxes followed by the MDS matrix, one table per
    // input byte of g, so g is four lookups and three XORs.
    std::uint32_t sbox_[4][256] = {};
    // Whitening words K0..K7 and round subkeys K8..K39.
    std::uint32_t subkeys_[40] = {};
};

}  // namespace dovrel
