#include "crypto/ciphers/Rc5.h"

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/ciphers/Rc5KeyExpansion.h"

namespace dovrel {

void TRc5::SetupKey(std::span<const std::uint8_t> key) {
    rc5::ExpandKey(key, s_);
}

void TRc5::WipeSchedule() noexcept {
    SecureWipe(s_);
}

// RFC 2040 section 6: A = A + S[0], B = B + S[1], then per round
// A = ((A ^ B) <<< B) + S[2i], B = ((B ^ A) <<< A) + S[2i + 1].
void TRc5::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in) + s_[0];
    std::uint32_t b = LoadLE32(in + 4) + s_[1];
    for (int r = 1; r <= kRounds; ++r) {
        a = Rotl32(a ^ b, b) + s_[2 * r];
        b = Rotl32(b ^ a, a) + s_[2 * r + 1];
    }
    StoreLE32(out, a);
    StoreLE32(out + 4, b);
}

void TRc5::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in);
    std::uint32_t b = LoadLE32(in + 4);
    for (int r = kRounds; r >= 1; --r) {
        b = Rotr32(b - s_[2 * r + 1], a) ^ a;
        a = Rotr32(a - s_[2 * r], b) ^ b;
    }
    StoreLE32(out, a - s_[0]);
    StoreLE32(out + 4, b - s_[1]);
}

DOVREL_CHAINED_BLOCKS_DEF(TRc5)

}  // namespace dovrel
