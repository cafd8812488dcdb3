#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/Stream.h"

namespace dovrel {

// Reads an inner stream ahead in large pieces, so the many 8192-byte reads of the cipher's
// stream parts reach the system as few large ones. For reading only: writes store nothing.
class TReadAheadStream final : public TStream {
public:
    TReadAheadStream(TStream& inner, std::size_t bufferBytes);
    ~TReadAheadStream() override;
    TReadAheadStream(const TReadAheadStream&) = delete;
    TReadAheadStream& operator=(const TReadAheadStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return inner_.Size(); }

private:
    TStream& inner_;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t begin_ = 0;  // next byte to hand out
    std::size_t end_ = 0;    // end of what the buffer holds
    std::size_t touched_ = 0;
};

// Collects writes into large pieces for an inner stream. A full buffer goes to the inner
// stream at once ("Stream write error" when the device takes less); Flush sends the rest.
// What is not flushed when the object goes is dropped: the outputs it serves are either
// flushed and kept or deleted.
class TWriteBehindStream final : public TStream {
public:
    TWriteBehindStream(TStream& inner, std::size_t bufferBytes);
    ~TWriteBehindStream() override;
    TWriteBehindStream(const TWriteBehindStream&) = delete;
    TWriteBehindStream& operator=(const TWriteBehindStream&) = delete;

    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;

    void Flush();

private:
    TStream& inner_;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    std::size_t touched_ = 0;
};

}  // namespace dovrel
