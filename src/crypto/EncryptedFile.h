#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "crypto/BlockCipher.h"
#include "engine/OperationEvents.h"

// The ".enc" format: identifier (3 bytes), CRC-32 of the plain name as UTF-16LE (4), the
// length L of the encrypted name (4, little-endian), the name encrypted with EncryptText
// of its UTF-8 bytes (L), then the data, chained straight on from the name.
namespace dovrel {

inline constexpr std::int64_t kFixedHeaderBytes = 11;

// The three letters that open every ".enc" file and name the catalogue entry that wrote it.
using TCipherId = std::array<char, 3>;

// Encrypts `path` into path + ".enc" with `cipher`, which holds the key. The result is
// written under a temporary name and takes the final name only when complete.
bool WriteEncryptedFile(TBlockCipher& cipher, const TCipherId& id, const std::wstring& path,
                        const TOperationEvents& events, int passCount);

// Decrypts the ".enc" file `path`; asks for other passwords while the stored name does not
// fit. Returns false when the user gave up or the run was cancelled; nothing is left behind
// then.
bool RestoreFromEncryptedFile(TBlockCipher& cipher, const std::wstring& path, std::string& password,
                              const TOperationEvents& events, int passCount);

}  // namespace dovrel
