#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The key expansion RC5 (RFC 2040 section 5) and RC6 (RC6 paper section 2.3) share; they
// differ only in the number of table words.
namespace dovrel::rc5 {

inline constexpr std::size_t kMaxKeyBytes = 256;

// Fills the whole of `s` (t = s.size() words) from a key of 0 to 256 bytes: the key bytes
// fill L[] little-endian (the last word zero-padded), S[] starts from the P32/Q32
// progression and 3 * max(t, c) mixing steps blend the two. Throws Error for a longer key.
void ExpandKey(std::span<const std::uint8_t> key, std::span<std::uint32_t> s);

}  // namespace dovrel::rc5
