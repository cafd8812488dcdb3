#include "crypto/BufferedStreams.h"

#include <algorithm>
#include <cstring>

#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// The buffers hold plain file data: they are wiped before they are released.
void WipeBuffer(std::uint8_t* p, std::size_t n) noexcept {
    if (p != nullptr)
        SecureWipe(p, n);
}

}  // namespace

TReadAheadStream::TReadAheadStream(TStream& inner, std::size_t bufferBytes)
    : inner_(inner),
      capacity_(std::max<std::size_t>(bufferBytes, 1)),
      buffer_(new std::uint8_t[capacity_]) {}

TReadAheadStream::~TReadAheadStream() {
    WipeBuffer(buffer_.get(), touched_);
}

std::size_t TReadAheadStream::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (begin_ == end_) {
            begin_ = 0;
            end_ = inner_.Read(buffer_.get(), capacity_);
            touched_ = std::max(touched_, end_);
            if (end_ == 0)
                break;
        }
        const std::size_t take = std::min(count - done, end_ - begin_);
        std::memcpy(out + done, buffer_.get() + begin_, take);
        begin_ += take;
        done += take;
    }
    return done;
}

std::int64_t TReadAheadStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const auto ahead = static_cast<std::int64_t>(end_ - begin_);
    if (origin == TSeekOrigin::soCurrent && offset == 0)
        return inner_.Position() - ahead;
    if (origin == TSeekOrigin::soCurrent)
        offset -= ahead;
    begin_ = end_ = 0;
    return inner_.Seek(offset, origin);
}

TWriteBehindStream::TWriteBehindStream(TStream& inner, std::size_t bufferBytes)
    : inner_(inner),
      capacity_(std::max<std::size_t>(bufferBytes, 1)),
      buffer_(new std::uint8_t[capacity_]) {}

TWriteBehindStream::~TWriteBehindStream() {
    WipeBuffer(buffer_.get(), touched_);
}

std::size_t TWriteBehindStream::Write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t take = std::min(count - done, capacity_ - used_);
        std::memcpy(buffer_.get() + used_, in + done, take);
        used_ += take;
        done += take;
        touched_ = std::max(touched_, used_);
        if (used_ == capacity_)
            Flush();
    }
    return done;
}

void TWriteBehindStream::Flush() {
    if (used_ == 0)
        return;
    const std::size_t n = used_;
    used_ = 0;
    inner_.WriteBuffer(buffer_.get(), n);
}

std::int64_t TWriteBehindStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    if (origin == TSeekOrigin::soCurrent && offset == 0)
        return inner_.Position() + static_cast<std::int64_t>(used_);
    Flush();
    return inner_.Seek(offset, origin);
}

std::int64_t TWriteBehindStream::Size() {
    Flush();
    return inner_.Size();
}

}  // namespace dovrel
