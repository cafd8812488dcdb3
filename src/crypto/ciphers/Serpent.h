#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Serpent (Anderson, Biham, Knudsen; the AES submission), 32 rounds in bitslice form.
// Key and block bytes are taken in the order of the NESSIE test vectors: byte 0 is the
// lowest byte of the first little-endian word. A key shorter than 256 bits is extended
// by the Serpent rule: a single 1 bit right after the key, then zero bits.
class TSerpent final : public TBlockCipher128 {
public:
    TSerpent() : TBlockCipher128(256) {}
    ~TSerpent() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    // The 33 round keys K0..K32, four words each.
    std::uint32_t k_[33][4] = {};
};

}  // namespace dovrel
