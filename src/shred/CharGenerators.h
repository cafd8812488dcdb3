#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace dovrel {

// The source of one shredding pass: the byte to write at each position of the file, in
// order from the first byte.
class TCharGenerator {
public:
    virtual ~TCharGenerator() = default;

    // `onDisk` is the byte the file holds at the position before the pass writes it.
    virtual std::uint8_t NextByte(std::uint8_t onDisk) = 0;
    // Replaces every byte of the buffer by NextByte of it, in order, carrying on from the
    // previous buffer. Kinds whose output needs no call per byte fill the buffer at once.
    virtual void Apply(std::uint8_t* bytes, std::size_t count);
};

using TGeneratorList = std::vector<std::unique_ptr<TCharGenerator>>;

// A fixed pattern repeated without gap: a pattern of length k writes byte i mod k at
// position i of the pass.
class THexGenerator final : public TCharGenerator {
public:
    explicit THexGenerator(std::uint8_t firstByte);

    void AddByte(std::uint8_t value);
    std::uint8_t NextByte(std::uint8_t onDisk) override;
    void Apply(std::uint8_t* bytes, std::size_t count) override;

private:
    std::vector<std::uint8_t> pattern_;
    std::int32_t position_ = 0;
    std::int32_t length_ = 1;
};

// The complement of what the file holds, that is of what the previous pass left.
class TInvertGenerator final : public TCharGenerator {
public:
    std::uint8_t NextByte(std::uint8_t onDisk) override;
    void Apply(std::uint8_t* bytes, std::size_t count) override;
};

// One random byte below `high` (1 to 255), drawn at creation and written at every position.
// `low` is kept but takes no part in the output.
class TRandomCharGenerator final : public TCharGenerator {
public:
    TRandomCharGenerator(std::uint8_t low, std::uint8_t high);

    std::uint8_t NextByte(std::uint8_t onDisk) override;
    void Apply(std::uint8_t* bytes, std::size_t count) override;
    std::uint8_t Low() const noexcept { return low_; }
    std::uint8_t High() const noexcept { return high_; }
    std::uint8_t Value() const noexcept { return value_; }

private:
    std::uint8_t low_;
    std::uint8_t high_;
    std::uint8_t value_;
};

// A fresh random byte below `high` (1 to 255) at every position. `low` is kept but takes no
// part in the output.
class TRandomGenerator final : public TCharGenerator {
public:
    TRandomGenerator(std::uint8_t low, std::uint8_t high);

    std::uint8_t NextByte(std::uint8_t onDisk) override;
    void Apply(std::uint8_t* bytes, std::size_t count) override;
    std::uint8_t Low() const noexcept { return low_; }
    std::uint8_t High() const noexcept { return high_; }

private:
    std::uint8_t low_;
    std::uint8_t high_;
};

}  // namespace dovrel
