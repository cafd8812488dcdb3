#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "crypto/Crc32.h"

namespace dovrel {
namespace {

// The usual CRC-32 framing around the bare register update: preset all ones, complement.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    return ~UpdateCRC32(0xFFFFFFFFu, bytes);
}

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

TEST(Crc32Test, StandardCheckValues) {
    // "123456789" -> 0xCBF43926: the check value of CRC-32 (reflected 0x04C11DB7, preset
    // and final XOR 0xFFFFFFFF) in R. Williams, "A Painless Guide to CRC Error Detection
    // Algorithms", section 15, and the CRC catalogue entry CRC-32/ISO-HDLC.
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    // Cross-checked with zlib's crc32.
    EXPECT_EQ(Crc32(Bytes("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
    EXPECT_EQ(Crc32({}), 0u);
}

TEST(Crc32Test, BareUpdateExposesTheReflectedTable) {
    // From a zero register one byte gives table[byte]; table[128] is the polynomial itself.
    // Entries cross-checked with zlib's crc32.
    const struct {
        std::uint8_t byte;
        std::uint32_t entry;
    } entries[] = {
        {0, 0}, {1, 0x77073096u}, {2, 0xEE0E612Cu}, {128, 0xEDB88320u}, {255, 0x2D02EF8Du}};
    for (const auto& e : entries) {
        EXPECT_EQ(UpdateCRC32(0, std::span(&e.byte, 1)), e.entry) << int{e.byte};
    }
}

TEST(Crc32Test, UpdateContinuesFromTheGivenRegister) {
    const auto data = Bytes("The quick brown fox jumps over the lazy dog");
    const std::uint32_t whole = UpdateCRC32(0x12345678u, data);
    for (std::size_t cut = 0; cut <= data.size(); ++cut) {
        const std::span all(data);
        EXPECT_EQ(UpdateCRC32(UpdateCRC32(0x12345678u, all.first(cut)), all.subspan(cut)), whole)
            << "cut at " << cut;
    }
}

TEST(Crc32Test, TextIsCheckedAsUtf16LittleEndian) {
    // "abc" is hashed as 61 00 62 00 63 00.
    EXPECT_EQ(TextCRC32(u"abc"), 0xAD957AB0u);
    const std::uint8_t abcLe[] = {0x61, 0, 0x62, 0, 0x63, 0};
    EXPECT_EQ(Crc32(abcLe), 0xAD957AB0u);
    // Code units with a non-zero high byte, and a surrogate pair (U+1F512), taken unit by
    // unit with the low byte first. Values cross-checked with zlib's crc32 over the
    // UTF-16LE encoding.
    EXPECT_EQ(TextCRC32(u"Gr\u00FC\u00DFe \u20AC"), 0x2924D1C0u);
    EXPECT_EQ(TextCRC32(u"\U0001F512 key"), 0xEB9C5781u);
    const std::uint8_t lockLe[] = {0x3D, 0xD8, 0x12, 0xDD, 0x20, 0x00,
                                   0x6B, 0x00, 0x65, 0x00, 0x79, 0x00};
    EXPECT_EQ(Crc32(lockLe), 0xEB9C5781u);
}

TEST(Crc32Test, EmptyTextHasNoChecksum) {
    EXPECT_FALSE(TextCRC32(u"").has_value());
    // A single NUL code unit is text, and has one.
    EXPECT_TRUE(TextCRC32(std::u16string_view(u"\0", 1)).has_value());
}

}  // namespace
}  // namespace dovrel
