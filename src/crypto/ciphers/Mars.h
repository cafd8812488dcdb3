#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Pieces of MARS kept callable on their own so the key expansion and the data path can be
// checked separately: the data path is shared by the 1998 cipher and its 1999 revision,
// which changed only the key expansion.
namespace mars {

inline constexpr int kExpandedWords = 40;
using TExpandedKey = std::uint32_t[kExpandedWords];

// The key expansion of the 1998 submission: a key of n = 4 to 39 little-endian words into
// K[0..39]. Throws Error for a key that is not a whole number of words or shorter than 4.
void ExpandKey(std::span<const std::uint8_t> key, TExpandedKey& k);

// The mask that selects which bits of a multiplication key are changed by the repair step
// of the key expansion (1998 form).
std::uint32_t RepairMask(std::uint32_t w) noexcept;

// The fixed 512-word S-box (S0 = words 0-255, S1 = words 256-511).
std::span<const std::uint32_t, 512> SBox() noexcept;

// One block through the mixing, keyed core and unmixing under an expanded key.
void Encrypt(const TExpandedKey& k, const std::uint8_t* in, std::uint8_t* out) noexcept;
void Decrypt(const TExpandedKey& k, const std::uint8_t* in, std::uint8_t* out) noexcept;

}  // namespace mars

// MARS as first submitted to the AES process (IBM, 1998), with its original key expansion.
class TMars final : public TBlockCipher128 {
public:
    TMars() : TBlockCipher128(1248) {}
    ~TMars() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    mars::TExpandedKey k_ = {};
};

}  // namespace dovrel
