#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "crypto/BufferedStreams.h"
#include "platform/Error.h"
#include "platform/MemoryStream.h"

namespace dovrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t n) {
    std::mt19937 rng(7);
    Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

// Pieces of these lengths, in turn, until the data is used up: below, at and above every
// buffer size the tests use, as the header fields and chained calls of a file come.
const std::vector<std::size_t> kPieces = {3, 4, 8192, 1, 6000, 8192, 1808, 70000, 5};

// Buffers smaller than one piece, of one piece, and larger than the whole data.
const std::vector<std::size_t> kBufferSizes = {1, 7, 8192, 1 << 20};

TEST(BufferedStreams, ReadAheadHandsOutTheInnerBytesInOrder) {
    const Bytes data = RandomBytes(200'000);
    for (std::size_t bufferBytes : kBufferSizes) {
        SCOPED_TRACE(testing::Message() << bufferBytes << "-byte buffer");
        TMemoryStream inner(data);
        TReadAheadStream reader(inner, bufferBytes);
        EXPECT_EQ(reader.Size(), static_cast<std::int64_t>(data.size()));
        Bytes got;
        for (std::size_t i = 0; got.size() < data.size(); ++i) {
            Bytes piece(kPieces[i % kPieces.size()]);
            const std::size_t n = reader.Read(piece.data(), piece.size());
            ASSERT_EQ(n, std::min(piece.size(), data.size() - got.size()));
            got.insert(got.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
            // The position is the reader's, not how far the buffer has read ahead.
            ASSERT_EQ(reader.Position(), static_cast<std::int64_t>(got.size()));
        }
        EXPECT_EQ(got, data);
        std::uint8_t extra;
        EXPECT_EQ(reader.Read(&extra, 1), 0u);
    }
}

TEST(BufferedStreams, ReadAheadSeeksFromWhereTheReaderIs) {
    const Bytes data = RandomBytes(1000);
    TMemoryStream inner(data);
    TReadAheadStream reader(inner, 64);
    std::uint8_t b[10];
    reader.ReadBuffer(b, 10);
    EXPECT_EQ(reader.Seek(5, TSeekOrigin::soCurrent), 15);
    reader.ReadBuffer(b, 1);
    EXPECT_EQ(b[0], data[15]);
    EXPECT_EQ(reader.Seek(-1, TSeekOrigin::soEnd), 999);
    reader.ReadBuffer(b, 1);
    EXPECT_EQ(b[0], data[999]);
}

TEST(BufferedStreams, WriteBehindDeliversEveryByteInOrderByFlush) {
    const Bytes data = RandomBytes(200'000);
    for (std::size_t bufferBytes : kBufferSizes) {
        SCOPED_TRACE(testing::Message() << bufferBytes << "-byte buffer");
        TMemoryStream inner;
        TWriteBehindStream writer(inner, bufferBytes);
        std::size_t at = 0;
        for (std::size_t i = 0; at < data.size(); ++i) {
            const std::size_t n = std::min(kPieces[i % kPieces.size()], data.size() - at);
            writer.WriteBuffer(data.data() + at, n);
            at += n;
            ASSERT_EQ(writer.Position(), static_cast<std::int64_t>(at));
            // Only whole buffers have gone out so far.
            ASSERT_EQ(inner.Bytes().size() % bufferBytes, 0u);
        }
        writer.Flush();
        EXPECT_EQ(inner.Bytes(), data);
    }
}

// A device that takes fewer bytes than the buffer held fails the transfer that filled it,
// or the flush; what is dropped with an unflushed writer never reaches the device.
TEST(BufferedStreams, WriteBehindRaisesTheShortWriteOfTheDevice) {
    const Bytes data = RandomBytes(300);
    {
        TMemoryStream full({}, 100);  // a disk that is full after 100 bytes
        TWriteBehindStream writer(full, 64);
        writer.WriteBuffer(data.data(), 64);
        writer.WriteBuffer(data.data(), 50);
        try {
            writer.Flush();
            FAIL() << "the short write must raise";
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), L"Stream write error");
        }
    }
    {
        TMemoryStream full({}, 100);
        TWriteBehindStream writer(full, 64);
        writer.WriteBuffer(data.data(), 64);
        EXPECT_THROW(writer.WriteBuffer(data.data(), 64), Error);
    }
    TMemoryStream inner;
    {
        TWriteBehindStream writer(inner, 64);
        writer.WriteBuffer(data.data(), 10);
    }
    EXPECT_TRUE(inner.Bytes().empty());
}

}  // namespace
}  // namespace dovrel
