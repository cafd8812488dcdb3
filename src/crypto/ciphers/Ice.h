#pragma once

#include <cstdint>
#include <span>

#include "crypto/BlockCipher.h"
#include "crypto/ChainedBlocks.h"

namespace dovrel {

namespace detail {

// One ICE round key (M. Kwan, "The Design of the ICE Encryption Algorithm", FSE 1997):
// 20 bits XORed into the left and right halves of the expanded input and the 20-bit
// keyed-permutation mask.
struct IceSubkey {
    std::uint32_t xorLeft;
    std::uint32_t xorRight;
    std::uint32_t swap;
};

// The four pre-permuted 1024-entry S-boxes, generated once and shared by every ICE object.
struct IceSboxes;

}  // namespace detail

// ICE level 0 ("Thin ICE"): 8 rounds, 64-bit key.
class TThinIce final : public TBlockCipher64 {
public:
    TThinIce();

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    const detail::IceSboxes* sboxes_;
    detail::IceSubkey schedule_[8] = {};
};

// ICE level 1: 16 rounds, 64-bit key.
class TIce final : public TBlockCipher64 {
public:
    TIce();

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    const detail::IceSboxes* sboxes_;
    detail::IceSubkey schedule_[16] = {};
};

// ICE level 2: 32 rounds, 128-bit key.
class TIce2 final : public TBlockCipher64 {
public:
    TIce2();

protected:
    void SetupKey(std::span<const std::uint8_t> key) override;
    void WipeSchedule() noexcept override;
    void EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    void DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const override;
    DOVREL_CHAINED_BLOCKS_DECL

private:
    const detail::IceSboxes* sboxes_;
    detail::IceSubkey schedule_[32] = {};
};

}  // namespace dovrel
