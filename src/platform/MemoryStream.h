#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/Stream.h"

namespace dovrel {

// A growable in-memory stream. `capacity` limits how far writes may go, which stands in
// for a full disk in tests.
class TMemoryStream final : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes,
                           std::size_t capacity = std::numeric_limits<std::size_t>::max());

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

    const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
    std::size_t capacity_ = std::numeric_limits<std::size_t>::max();
};

}  // namespace dovrel
