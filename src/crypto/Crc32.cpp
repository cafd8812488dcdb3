#include "crypto/Crc32.h"

#include <array>

namespace dovrel {

namespace {

constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}

constexpr auto kTable = MakeTable();

inline std::uint32_t Step(std::uint32_t crc, std::uint32_t byte) noexcept {
    return kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

std::uint32_t UpdateCRC32(std::uint32_t crc, std::span<const std::uint8_t> data) noexcept {
    for (std::uint8_t b : data)
        crc = Step(crc, b);
    return crc;
}

std::optional<std::uint32_t> TextCRC32(std::u16string_view text) noexcept {
    if (text.empty())
        return std::nullopt;
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char16_t unit : text) {
        crc = Step(crc, unit & 0xFFu);
        crc = Step(crc, static_cast<std::uint32_t>(unit) >> 8);
    }
    return ~crc;
}

}  // namespace dovrel
