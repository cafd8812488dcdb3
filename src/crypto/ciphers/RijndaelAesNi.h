#pragma once

#include <cstddef>
#include <cstdint>

// RIJNDAEL through the x86 AES instructions. Round keys are the (rounds + 1) * 16 bytes of
// the schedule in byte order; the decryption keys are those of the equivalent inverse
// cipher, as aesdec expects. Call only when CpuHasAesNi() holds.
namespace dovrel::aesni {

void EncryptBlock(const std::uint8_t* keys, int rounds, const std::uint8_t* in,
                  std::uint8_t* out) noexcept;
void DecryptBlock(const std::uint8_t* keys, int rounds, const std::uint8_t* in,
                  std::uint8_t* out) noexcept;
// CBC over whole blocks from `cv`, which ends as the last ciphertext block; in place allowed.
void EncryptCbc(const std::uint8_t* keys, int rounds, std::uint8_t* cv, const std::uint8_t* in,
                std::uint8_t* out, std::size_t blocks) noexcept;
void DecryptCbc(const std::uint8_t* keys, int rounds, std::uint8_t* cv, const std::uint8_t* in,
                std::uint8_t* out, std::size_t blocks) noexcept;

}  // namespace dovrel::aesni
