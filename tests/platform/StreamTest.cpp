#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/MemoryStream.h"

namespace dovrel {
namespace {

TEST(MemoryStream, ReadsWritesAndSeeks) {
    TMemoryStream stream;
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Seek(6, TSeekOrigin::soBeginning), 6);
    char word[5];
    stream.ReadBuffer(word, 5);
    EXPECT_EQ(std::string(word, 5), "world");
    EXPECT_EQ(stream.Read(word, 5), 0u);
    EXPECT_EQ(stream.Seek(-5, TSeekOrigin::soEnd), 6);
    stream.WriteBuffer("WORLD!", 6);
    EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "hello WORLD!");
}

TEST(MemoryStream, ShortTransfersRaiseTheStreamErrors) {
    TMemoryStream stream({1, 2, 3}, 4);
    std::uint8_t buffer[4];
    EXPECT_THROW(
        {
            try {
                stream.ReadBuffer(buffer, 4);
            } catch (const Error& e) {
                EXPECT_EQ(e.Message(), L"Stream read error");
                throw;
            }
        },
        Error);
    stream.Seek(0, TSeekOrigin::soBeginning);
    // Capacity 4 stands for a full disk after the fourth byte.
    EXPECT_EQ(stream.Write(buffer, 3), 3u);
    try {
        stream.WriteBuffer(buffer, 2);
        FAIL() << "a short write must raise";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Stream write error");
    }
    EXPECT_EQ(stream.Size(), 4);
}

}  // namespace
}  // namespace dovrel
