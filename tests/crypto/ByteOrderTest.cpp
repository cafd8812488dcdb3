#include <gtest/gtest.h>

#include <cstdint>

#include "crypto/ByteOrder.h"

namespace dovrel {
namespace {

// High bits set in every byte catch a load that sign-extends or a store that shifts the
// wrong way.
constexpr std::uint8_t kBytes[4] = {0xF1, 0x82, 0x73, 0x94};

TEST(ByteOrder, LoadsReadTheirOwnOrder) {
    EXPECT_EQ(LoadBE16(kBytes), 0xF182u);
    EXPECT_EQ(LoadLE16(kBytes), 0x82F1u);
    EXPECT_EQ(LoadBE32(kBytes), 0xF1827394u);
    EXPECT_EQ(LoadLE32(kBytes), 0x947382F1u);
}

// Each store writes its bytes in the order the matching load reads them, and no more.
TEST(ByteOrder, StoresInvertLoads) {
    struct Case {
        void (*store)(std::uint8_t*, std::uint32_t);
        std::uint32_t value;
        std::uint8_t expected[5];
    };
    const Case cases[] = {
        // The 16-bit stores take the low half of a 32-bit value.
        {StoreBE16, 0xABCDF182u, {0xF1, 0x82, 0xEE, 0xEE, 0xEE}},
        {StoreLE16, 0xABCD82F1u, {0xF1, 0x82, 0xEE, 0xEE, 0xEE}},
        {StoreBE32, 0xF1827394u, {0xF1, 0x82, 0x73, 0x94, 0xEE}},
        {StoreLE32, 0x947382F1u, {0xF1, 0x82, 0x73, 0x94, 0xEE}},
    };
    for (const auto& c : cases) {
        std::uint8_t out[5] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        c.store(out, c.value);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(out[i], c.expected[i]) << std::hex << c.value << " byte " << i;
    }
}

// Data-dependent counts: only the low five bits count, so 32 is no rotation and 33 is one.
TEST(ByteOrder, RotationsUseTheLowFiveBitsOfTheCount) {
    struct Case {
        std::uint32_t count, left, right;
    };
    const std::uint32_t x = 0x80000001u;
    const Case cases[] = {
        {0, 0x80000001u, 0x80000001u},  {1, 0x00000003u, 0xC0000000u},
        {31, 0xC0000000u, 0x00000003u}, {32, 0x80000001u, 0x80000001u},
        {33, 0x00000003u, 0xC0000000u}, {0xFFFFFFFFu, 0xC0000000u, 0x00000003u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rotl32(x, c.count), c.left) << c.count;
        EXPECT_EQ(Rotr32(x, c.count), c.right) << c.count;
    }
}

}  // namespace
}  // namespace dovrel
