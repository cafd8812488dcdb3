#include "platform/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "platform/Error.h"

namespace dovrel {

TMemoryStream::TMemoryStream(std::vector<std::uint8_t> bytes, std::size_t capacity)
    : bytes_(std::move(bytes)), capacity_(capacity) {}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ >= bytes_.size())
        return 0;
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (position_ >= capacity_)
        return 0;
    const std::size_t n = std::min(count, capacity_ - position_);
    if (position_ + n > bytes_.size())
        bytes_.resize(position_ + n);
    std::memcpy(bytes_.data() + position_, buffer, n);
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent)
        base = static_cast<std::int64_t>(position_);
    if (origin == TSeekOrigin::soEnd)
        base = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t target = base + offset;
    if (target < 0)
        throw Error(L"Stream seek error");
    position_ = static_cast<std::size_t>(target);
    return target;
}

}  // namespace dovrel
