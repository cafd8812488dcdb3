#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "crypto/ByteOrder.h"

// The full-block part of a chained call, written once for every cipher: the block function
// is a template argument, so each cipher's loop calls its own block code directly and XORs
// whole words instead of going byte by byte through a virtual call.
namespace dovrel::chained {

template <std::size_t B>
struct Block {
    static_assert(B % 8 == 0);
    std::uint64_t w[B / 8];

    static Block Load(const std::uint8_t* p) noexcept {
        Block b;
        std::memcpy(b.w, p, B);
        return b;
    }
    void Store(std::uint8_t* p) const noexcept { std::memcpy(p, w, B); }
    Block& operator^=(const Block& o) noexcept {
        for (std::size_t i = 0; i < B / 8; ++i)
            w[i] ^= o.w[i];
        return *this;
    }
};

// CBC over `blocks` whole blocks; `cv` is read at the start and holds the last ciphertext
// block at the end. `in` and `out` may be the same buffer.
template <std::size_t B, class EncryptFn>
inline void EncryptBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blocks, EncryptFn&& encrypt) {
    Block<B> c = Block<B>::Load(cv);
    for (; blocks != 0; --blocks, in += B, out += B) {
        Block<B> x = Block<B>::Load(in);
        x ^= c;
        x.Store(out);
        encrypt(out, out);
        c = Block<B>::Load(out);
    }
    c.Store(cv);
}

template <std::size_t B, class DecryptFn>
inline void DecryptBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blocks, DecryptFn&& decrypt) {
    Block<B> c = Block<B>::Load(cv);
    for (; blocks != 0; --blocks, in += B, out += B) {
        // Kept before the block is overwritten when the call works in place.
        const Block<B> t = Block<B>::Load(in);
        std::uint8_t tb[B];
        t.Store(tb);
        decrypt(tb, out);
        Block<B> p = Block<B>::Load(out);
        p ^= c;
        p.Store(out);
        c = t;
    }
    c.Store(cv);
}

// The same for a block of two big-endian 32-bit halves, with the block function on the
// halves: the chaining value stays in registers from block to block instead of going
// through memory as bytes.
template <class EncryptFn>
inline void EncryptHalves(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blocks, EncryptFn&& encrypt) {
    std::uint32_t cl = LoadBE32(cv), cr = LoadBE32(cv + 4);
    for (; blocks != 0; --blocks, in += 8, out += 8) {
        cl ^= LoadBE32(in);
        cr ^= LoadBE32(in + 4);
        encrypt(cl, cr);
        StoreBE32(out, cl);
        StoreBE32(out + 4, cr);
    }
    StoreBE32(cv, cl);
    StoreBE32(cv + 4, cr);
}

template <class DecryptFn>
inline void DecryptHalves(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blocks, DecryptFn&& decrypt) {
    std::uint32_t cl = LoadBE32(cv), cr = LoadBE32(cv + 4);
    for (; blocks != 0; --blocks, in += 8, out += 8) {
        const std::uint32_t tl = LoadBE32(in), tr = LoadBE32(in + 4);
        std::uint32_t l = tl, r = tr;
        decrypt(l, r);
        StoreBE32(out, l ^ cl);
        StoreBE32(out + 4, r ^ cr);
        cl = tl;
        cr = tr;
    }
    StoreBE32(cv, cl);
    StoreBE32(cv + 4, cr);
}

}  // namespace dovrel::chained

// Declares the two chained-block overrides in a cipher class...
#define DOVREL_CHAINED_BLOCKS_DECL                                                         \
    void EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out, \
                              std::size_t blocks) const override;                          \
    void DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out, \
                              std::size_t blocks) const override;

// ...and defines them over the class's own block functions, called without dispatch.
#define DOVREL_CHAINED_BLOCKS_DEF(Class)                                                          \
    void Class::EncryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out, \
                                     std::size_t blocks) const {                                  \
        ::dovrel::chained::EncryptBlocks<kBlockBytes>(                                            \
            cv, in, out, blocks,                                                                  \
            [this](const std::uint8_t* i, std::uint8_t* o) { Class::EncryptBlockImpl(i, o); });   \
    }                                                                                             \
    void Class::DecryptChainedBlocks(std::uint8_t* cv, const std::uint8_t* in, std::uint8_t* out, \
                                     std::size_t blocks) const {                                  \
        ::dovrel::chained::DecryptBlocks<kBlockBytes>(                                            \
            cv, in, out, blocks,                                                                  \
            [this](const std::uint8_t* i, std::uint8_t* o) { Class::DecryptBlockImpl(i, o); });   \
    }
