#include "crypto/Base64.h"

#include <array>

namespace dovrel {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Indexed by every possible byte, so no character can read outside the table.
constexpr std::array<std::uint8_t, 256> MakeDecodeTable() {
    std::array<std::uint8_t, 256> t{};
    for (int i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    return t;
}

constexpr auto kDecode = MakeDecodeTable();

inline std::uint32_t Sextet(char c) noexcept {
    return kDecode[static_cast<unsigned char>(c)];
}

}  // namespace

std::string Base64Encode(std::span<const std::uint8_t> data) {
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    const std::uint8_t* p = data.data();
    std::size_t n = data.size();
    for (; n >= 3; n -= 3, p += 3) {
        const std::uint32_t v = std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
        out.push_back(kAlphabet[v >> 18]);
        out.push_back(kAlphabet[v >> 12 & 63]);
        out.push_back(kAlphabet[v >> 6 & 63]);
        out.push_back(kAlphabet[v & 63]);
    }
    if (n != 0) {
        const std::uint32_t v = std::uint32_t{p[0]} << 16 | (n == 2 ? std::uint32_t{p[1]} << 8 : 0);
        out.push_back(kAlphabet[v >> 18]);
        out.push_back(kAlphabet[v >> 12 & 63]);
        out.push_back(n == 2 ? kAlphabet[v >> 6 & 63] : '=');
        out.push_back('=');
    }
    return out;
}

std::vector<std::uint8_t> Base64Decode(std::string_view text) {
    const std::size_t groups = text.size() / 4;
    std::vector<std::uint8_t> out;
    out.reserve(groups * 3);
    for (std::size_t g = 0; g < groups; ++g) {
        const char* s = text.data() + 4 * g;
        const std::uint32_t v =
            Sextet(s[0]) << 18 | Sextet(s[1]) << 12 | Sextet(s[2]) << 6 | Sextet(s[3]);
        out.push_back(static_cast<std::uint8_t>(v >> 16));
        if (s[3] != '=') {
            out.push_back(static_cast<std::uint8_t>(v >> 8));
            out.push_back(static_cast<std::uint8_t>(v));
        } else if (s[2] != '=') {
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    }
    return out;
}

}  // namespace dovrel
