#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/MemoryStream.h"

namespace dovrel::test {

// A stream in memory that records every transfer, keeps a copy of its content at every
// flush, and can be made to fail a read or a write that reaches a given offset.
class RecordingStream final : public TStream {
public:
    enum class Kind { Read, Write };
    struct Transfer {
        Kind kind;
        std::int64_t offset;
        std::size_t count;
        friend bool operator==(const Transfer&, const Transfer&) = default;
    };
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    explicit RecordingStream(std::vector<std::uint8_t> content) : memory_(std::move(content)) {}

    std::size_t Read(void* buffer, std::size_t count) override {
        transfers.push_back({Kind::Read, Position(), count});
        return memory_.Read(buffer, Allowed(count, failReadAt));
    }
    std::size_t Write(const void* buffer, std::size_t count) override {
        transfers.push_back({Kind::Write, Position(), count});
        return memory_.Write(buffer, Allowed(count, failWriteAt));
    }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
        return memory_.Seek(offset, origin);
    }
    std::int64_t Size() override { return memory_.Size(); }

    void Flush() { flushed.push_back(memory_.Bytes()); }
    const std::vector<std::uint8_t>& Bytes() const { return memory_.Bytes(); }

    std::vector<Transfer> transfers;
    std::vector<std::vector<std::uint8_t>> flushed;
    std::int64_t failReadAt = kNever;
    std::int64_t failWriteAt = kNever;

private:
    // A transfer that would reach `failAt` stops short of it.
    std::size_t Allowed(std::size_t count, std::int64_t failAt) {
        const std::int64_t at = memory_.Position();
        if (failAt == kNever || at + static_cast<std::int64_t>(count) <= failAt)
            return count;
        return at >= failAt ? 0 : static_cast<std::size_t>(failAt - at);
    }

    TMemoryStream memory_;
};

}  // namespace dovrel::test
