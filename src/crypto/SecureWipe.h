#pragma once

#include <cstddef>
#include <cstdint>

namespace dovrel {

// Overwrites key material with zeros. The stores go through a volatile pointer, so the
// compiler cannot drop them as dead even though the buffer is never read again.
inline void SecureWipe(void* p, std::size_t n) noexcept {
    volatile std::uint8_t* v = static_cast<volatile std::uint8_t*>(p);
    while (n-- != 0)
        *v++ = 0;
}

// The whole of an array, every element of every dimension; taking the array by reference
// keeps a decayed pointer from wiping only sizeof(pointer) bytes.
template <typename T, std::size_t N>
void SecureWipe(T (&a)[N]) noexcept {
    SecureWipe(static_cast<void*>(a), sizeof a);
}

}  // namespace dovrel
