#include "shred/CharGenerators.h"

#include <algorithm>
#include <cstring>

#include "shred/KISSRandomGenerator.h"

namespace dovrel {

void TCharGenerator::Apply(std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = NextByte(bytes[i]);
}

THexGenerator::THexGenerator(std::uint8_t firstByte) : pattern_{firstByte} {}

void THexGenerator::AddByte(std::uint8_t value) {
    pattern_.push_back(value);
    ++length_;
}

std::uint8_t THexGenerator::NextByte(std::uint8_t) {
    const std::uint8_t result = pattern_[static_cast<std::size_t>(position_)];
    if (++position_ == length_)
        position_ = 0;
    return result;
}

// The buffer is periodic from its first byte with the pattern's period: one period is
// written from the current position, then the written part is copied onto the rest,
// doubling each time.
void THexGenerator::Apply(std::uint8_t* bytes, std::size_t count) {
    const auto length = static_cast<std::size_t>(length_);
    const auto position = static_cast<std::size_t>(position_);
    std::size_t filled = std::min(count, length);
    for (std::size_t i = 0; i < filled; ++i)
        bytes[i] = pattern_[(position + i) % length];
    while (filled < count) {
        const std::size_t copy = std::min(filled, count - filled);
        std::memcpy(bytes + filled, bytes, copy);
        filled += copy;
    }
    position_ = static_cast<std::int32_t>((position + count) % length);
}

std::uint8_t TInvertGenerator::NextByte(std::uint8_t onDisk) {
    return static_cast<std::uint8_t>(255 - onDisk);
}

// Eight bytes at a time: the complement of a word is the word of the complements.
void TInvertGenerator::Apply(std::uint8_t* bytes, std::size_t count) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= count; i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, sizeof word);
        word = ~word;
        std::memcpy(bytes + i, &word, sizeof word);
    }
    for (; i < count; ++i)
        bytes[i] = NextByte(bytes[i]);
}

TRandomCharGenerator::TRandomCharGenerator(std::uint8_t low, std::uint8_t high)
    : low_(low), high_(high), value_(static_cast<std::uint8_t>(RandomBelow(high))) {}

std::uint8_t TRandomCharGenerator::NextByte(std::uint8_t) {
    return value_;
}

void TRandomCharGenerator::Apply(std::uint8_t* bytes, std::size_t count) {
    std::memset(bytes, value_, count);
}

TRandomGenerator::TRandomGenerator(std::uint8_t low, std::uint8_t high) : low_(low), high_(high) {}

std::uint8_t TRandomGenerator::NextByte(std::uint8_t) {
    return static_cast<std::uint8_t>(RandomBelow(high_));
}

void TRandomGenerator::Apply(std::uint8_t* bytes, std::size_t count) {
    FillRandomBelow(bytes, count, high_);
}

}  // namespace dovrel
