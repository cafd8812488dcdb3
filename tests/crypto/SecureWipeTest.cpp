#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "crypto/SecureWipe.h"

namespace dovrel {
namespace {

// Guard bytes on both sides show a wipe that stops short or runs over.
template <typename T>
struct Guarded {
    std::uint8_t before[8];
    T value;
    std::uint8_t after[8];
};

template <typename T>
bool AllBytesAre(const T& v, std::uint8_t b) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
    for (std::size_t i = 0; i < sizeof v; ++i)
        if (p[i] != b)
            return false;
    return true;
}

struct Subkey {
    std::uint32_t a, b, c;
};

template <typename T>
void ExpectArrayWipedExactly() {
    Guarded<T> g;
    std::memset(&g, 0xA5, sizeof g);
    SecureWipe(g.value);
    EXPECT_TRUE(AllBytesAre(g.value, 0));
    EXPECT_TRUE(AllBytesAre(g.before, 0xA5));
    EXPECT_TRUE(AllBytesAre(g.after, 0xA5));
}

// The array form must cover every byte of every element, whatever the element type and
// the number of dimensions, and nothing beyond.
TEST(SecureWipe, ArrayFormWipesWholeArray) {
    ExpectArrayWipedExactly<std::uint8_t[5]>();
    ExpectArrayWipedExactly<std::uint16_t[7]>();
    ExpectArrayWipedExactly<std::uint32_t[12][4]>();
    ExpectArrayWipedExactly<Subkey[8]>();
}

TEST(SecureWipe, PointerFormWipesExactlyTheGivenBytes) {
    std::uint8_t buffer[16];
    std::memset(buffer, 0xA5, sizeof buffer);
    SecureWipe(buffer + 3, 9);
    for (std::size_t i = 0; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], i >= 3 && i < 12 ? 0 : 0xA5) << i;
    SecureWipe(buffer, 0);
    EXPECT_EQ(buffer[0], 0xA5);
}

}  // namespace
}  // namespace dovrel
