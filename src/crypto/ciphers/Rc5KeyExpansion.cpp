#include "crypto/ciphers/Rc5KeyExpansion.h"

#include <algorithm>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "platform/Error.h"

namespace dovrel::rc5 {

namespace {

// Magic constants P32 = Odd((e - 2) * 2^32) and Q32 = Odd((phi - 1) * 2^32), RFC 2040 section 5.1.
constexpr std::uint32_t kP32 = 0xB7E15163u;
constexpr std::uint32_t kQ32 = 0x9E3779B9u;

constexpr std::size_t kMaxKeyWords = kMaxKeyBytes / 4;

}  // namespace

void ExpandKey(std::span<const std::uint8_t> key, std::span<std::uint32_t> s) {
    // L[] is a fixed buffer; the ciphers' key limits keep callers inside it.
    if (key.size() > kMaxKeyBytes)
        throw Error(L"Invalid key size");
    std::uint32_t l[kMaxKeyWords] = {};
    const std::size_t c = std::max<std::size_t>(1, (key.size() + 3) / 4);
    for (std::size_t i = key.size(); i-- > 0;)
        l[i / 4] = (l[i / 4] << 8) | key[i];

    const std::size_t t = s.size();
    s[0] = kP32;
    for (std::size_t i = 1; i < t; ++i)
        s[i] = s[i - 1] + kQ32;

    std::uint32_t a = 0, b = 0;
    std::size_t i = 0, j = 0;
    for (std::size_t k = 3 * std::max(t, c); k > 0; --k) {
        a = s[i] = Rotl32(s[i] + a + b, 3);
        b = l[j] = Rotl32(l[j] + a + b, a + b);
        i = i + 1 == t ? 0 : i + 1;
        j = j + 1 == c ? 0 : j + 1;
    }
    SecureWipe(l);
}

}  // namespace dovrel::rc5
