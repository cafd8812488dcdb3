#pragma once

#include <cstddef>
#include <cstdint>

namespace dovrel {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream as the cipher and shredding procedures see it: a file on disk, or a
// buffer in memory for tests and fuzzing.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes up to `count` bytes; returns how many were written (fewer when the device
    // is full).
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size() = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }

    // Whole transfers: "Stream read error" / "Stream write error" when short.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};

}  // namespace dovrel
