#pragma once

#include <bit>
#include <cstdint>

// Words read from and written to byte strings in a fixed byte order, whatever the host's.
namespace dovrel {

constexpr std::uint16_t LoadBE16(const std::uint8_t* p) noexcept {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

constexpr std::uint16_t LoadLE16(const std::uint8_t* p) noexcept {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

constexpr std::uint32_t LoadBE32(const std::uint8_t* p) noexcept {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

constexpr std::uint32_t LoadLE32(const std::uint8_t* p) noexcept {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// The 16-bit stores write the low half of v: the ciphers that use them compute their
// 16-bit words in 32-bit variables.
constexpr void StoreBE16(std::uint8_t* p, std::uint32_t v) noexcept {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

constexpr void StoreLE16(std::uint8_t* p, std::uint32_t v) noexcept {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

constexpr void StoreBE32(std::uint8_t* p, std::uint32_t v) noexcept {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

constexpr void StoreLE32(std::uint8_t* p, std::uint32_t v) noexcept {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Rotations by a count taken from the data (RC5, RC6, MARS): only its low five bits
// count. Fixed rotations use std::rotl and std::rotr directly.
constexpr std::uint32_t Rotl32(std::uint32_t x, std::uint32_t n) noexcept {
    return std::rotl(x, static_cast<int>(n & 31));
}

constexpr std::uint32_t Rotr32(std::uint32_t x, std::uint32_t n) noexcept {
    return std::rotr(x, static_cast<int>(n & 31));
}

}  // namespace dovrel
