#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dovrel {

// One step per byte: register := table[(register ^ byte) & 0xFF] ^ (register >> 8), with the
// table of the reflected polynomial 0xEDB88320. No preset and no final complement: the
// caller chooses both.
std::uint32_t UpdateCRC32(std::uint32_t crc, std::span<const std::uint8_t> data) noexcept;

// CRC-32 of a text as UTF-16LE (each code unit low byte first), preset 0xFFFFFFFF and
// complemented at the end. An empty text has no checksum: std::nullopt.
std::optional<std::uint32_t> TextCRC32(std::u16string_view text) noexcept;

}  // namespace dovrel
