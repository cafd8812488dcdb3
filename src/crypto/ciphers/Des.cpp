#include "crypto/ciphers/Des.h"

#include <algorithm>

#include "crypto/SecureWipe.h"
#include "crypto/ciphers/DesCore.h"

namespace dovrel {

TDes::TDes() : TBlockCipher64(64) {}

TDes::~TDes() {
    WipeSchedule();
}

void TDes::SetupKey(std::span<const std::uint8_t> key) {
    std::uint8_t k[8] = {};
    std::copy(key.begin(), key.end(), k);  // the base allows at most 8 bytes
    des_core::ExpandKey(k, schedule_);
    SecureWipe(k);
}

void TDes::WipeSchedule() noexcept {
    SecureWipe(schedule_);
}

void TDes::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l, r;
    des_core::LoadBlock(in, l, r);
    des_core::Rounds<false>(l, r, schedule_);
    des_core::StoreBlock(l, r, out);
}

void TDes::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l, r;
    des_core::LoadBlock(in, l, r);
    des_core::Rounds<true>(l, r, schedule_);
    des_core::StoreBlock(l, r, out);
}

void TDes::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                std::size_t blocks) const {
    des_core::EncryptChained(cv, in, out, blocks, [this](std::uint32_t& l, std::uint32_t& r) {
        des_core::Rounds<false>(l, r, schedule_);
    });
}

void TDes::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                                std::size_t blocks) const {
    des_core::DecryptChained(cv, in, out, blocks, [this](std::uint32_t& l, std::uint32_t& r) {
        des_core::Rounds<true>(l, r, schedule_);
    });
}

}  // namespace dovrel
