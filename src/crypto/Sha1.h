#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dovrel {

// SHA-1 (FIPS 180-1). The digest is used to derive keys, so Final overwrites the chaining
// state, the buffered message bytes and the length counter before returning; the object
// is then ready for a new message without calling Init again.
class TSha1 {
public:
    static constexpr int HashSize = 160;  // bits
    static constexpr std::size_t DigestBytes = HashSize / 8;

    TSha1() noexcept { Init(); }
    TSha1(const TSha1&) = default;
    TSha1& operator=(const TSha1&) = default;
    ~TSha1();

    void Init() noexcept;
    void Update(std::span<const std::uint8_t> data) noexcept;
    void Final(std::uint8_t digest[DigestBytes]) noexcept;

    static std::array<std::uint8_t, DigestBytes> Digest(
        std::span<const std::uint8_t> data) noexcept;

private:
    static constexpr std::size_t kBlockBytes = 64;

    void Wipe() noexcept;

    std::uint32_t state_[5];
    std::uint64_t length_;  // message bytes so far
    std::uint8_t buffer_[kBlockBytes] = {};
};

}  // namespace dovrel
