#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

// Rijndael with 128-bit blocks as standardised in FIPS 197. Keys of 16, 24 and 32 bytes
// are used as they are; any other length is zero-extended to the next of those sizes, so
// a 20-byte key runs the 192-bit key schedule with 12 rounds.
class TRijndael final : public TBlockCipher128 {
public:
    TRijndael() : TBlockCipher128(256) {}
    ~TRijndael() override { WipeSchedule(); }

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    void PortableEncrypt(const std::uint8_t* in, std::uint8_t* out) const;
    void PortableDecrypt(const std::uint8_t* in, std::uint8_t* out) const;

    static constexpr int kMaxRounds = 14;
    static constexpr int kScheduleWords = 4 * (kMaxRounds + 1);

    int rounds_ = 0;
    // Encryption round keys, and the round keys of the equivalent inverse cipher
    // (FIPS 197 5.3.5): reversed, with InvMixColumns applied to the inner ones.
    std::uint32_t ek_[kScheduleWords] = {};
    std::uint32_t dk_[kScheduleWords] = {};
    // The same two schedules as bytes in block order, for the AES instructions.
    alignas(16) std::uint8_t aesniEk_[4 * kScheduleWords] = {};
    alignas(16) std::uint8_t aesniDk_[4 * kScheduleWords] = {};
};

}  // namespace dovrel
