#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// RFC 4648 section 4: standard alphabet, "=" padding, no line breaks. The result has
// 4 * ceil(n / 3) characters.
std::string Base64Encode(std::span<const std::uint8_t> data);

// Decodes the floor(size / 4) complete groups of four characters and ignores whatever
// follows the last of them. Each group stands on its own: one ending in "==" gives one
// byte, one ending in "=" gives two, any other gives three. A character outside the
// alphabet (including "=" elsewhere in a group) counts as the value 0: such text comes
// only from a damaged file, and decoding it must give bytes rather than fail.
std::vector<std::uint8_t> Base64Decode(std::string_view text);

}  // namespace dovrel
