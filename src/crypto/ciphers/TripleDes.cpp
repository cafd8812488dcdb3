#include "crypto/ciphers/TripleDes.h"

#include <algorithm>

#include "crypto/SecureWipe.h"
#include "crypto/ciphers/DesCore.h"

namespace dovrel {

TTripleDes::TTripleDes() : TBlockCipher64(192) {}

TTripleDes::~TTripleDes() {
    WipeSchedule();
}

void TTripleDes::SetupKey(std::span<const std::uint8_t> key) {
    std::uint8_t k[24] = {};
    std::copy(key.begin(), key.end(), k);  // the base allows at most 24 bytes
    for (int i = 0; i < 3; ++i)
        des_core::ExpandKey(k + 8 * i, schedule_[i]);
    SecureWipe(k);
}

void TTripleDes::WipeSchedule() noexcept {
    SecureWipe(schedule_);
}

// The IP^-1 ending one DES and the IP starting the next cancel, so a block goes through
// IP once, 48 rounds and IP^-1 once.
void TTripleDes::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l, r;
    des_core::LoadBlock(in, l, r);
    des_core::Rounds<false>(l, r, schedule_[0]);
    des_core::Rounds<true>(l, r, schedule_[1]);
    des_core::Rounds<false>(l, r, schedule_[2]);
    des_core::StoreBlock(l, r, out);
}

void TTripleDes::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l, r;
    des_core::LoadBlock(in, l, r);
    des_core::Rounds<true>(l, r, schedule_[2]);
    des_core::Rounds<false>(l, r, schedule_[1]);
    des_core::Rounds<true>(l, r, schedule_[0]);
    des_core::StoreBlock(l, r, out);
}

void TTripleDes::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t blocks) const {
    des_core::EncryptChained(cv, in, out, blocks, [this](std::uint32_t& l, std::uint32_t& r) {
        des_core::Rounds<false>(l, r, schedule_[0]);
        des_core::Rounds<true>(l, r, schedule_[1]);
        des_core::Rounds<false>(l, r, schedule_[2]);
    });
}

void TTripleDes::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                      std::size_t blocks) const {
    des_core::DecryptChained(cv, in, out, blocks, [this](std::uint32_t& l, std::uint32_t& r) {
        des_core::Rounds<true>(l, r, schedule_[2]);
        des_core::Rounds<false>(l, r, schedule_[1]);
        des_core::Rounds<true>(l, r, schedule_[0]);
    });
}

}  // namespace dovrel
