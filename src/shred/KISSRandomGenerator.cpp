#include "shred/KISSRandomGenerator.h"

#include <type_traits>

namespace dovrel {

namespace {

TKissState state;

// The state is copied into a local for the loop so that it stays in registers.
template <typename Modulus>
void Fill(std::uint8_t* bytes, std::size_t count, Modulus n) {
    TKissState local = state;
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(local.Next() % n);
    state = local;
}

}  // namespace

std::uint32_t KissNext() {
    return state.Next();
}

std::uint32_t RandomBelow(std::uint32_t n) {
    return KissNext() % n;
}

void FillRandomBelow(std::uint8_t* bytes, std::size_t count, std::uint8_t n) {
    // Every scheme draws below 255; a constant modulus is a multiplication, not a division.
    if (n == 255)
        Fill(bytes, count, std::integral_constant<std::uint32_t, 255>());
    else
        Fill(bytes, count, static_cast<std::uint32_t>(n));
}

TKissState KissStateNow() {
    return state;
}

}  // namespace dovrel
