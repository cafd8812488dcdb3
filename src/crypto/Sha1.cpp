#include "crypto/Sha1.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

// FIPS 180-1 section 7, method 2: the 80-word schedule is kept as a circular buffer of 16.
inline std::uint32_t Expand(std::uint32_t* w, int t) noexcept {
    const std::uint32_t v =
        std::rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
    w[t & 15] = v;
    return v;
}

// FIPS 180-1 section 5: f(t;B,C,D) for steps 0-19, 20-39 and 60-79, 40-59.
inline std::uint32_t Ch(std::uint32_t b, std::uint32_t c, std::uint32_t d) noexcept {
    return d ^ (b & (c ^ d));  // (B AND C) OR (NOT B AND D)
}
inline std::uint32_t Parity(std::uint32_t b, std::uint32_t c, std::uint32_t d) noexcept {
    return b ^ c ^ d;
}
inline std::uint32_t Maj(std::uint32_t b, std::uint32_t c, std::uint32_t d) noexcept {
    return (b & c) | (d & (b | c));  // (B AND C) OR (B AND D) OR (C AND D)
}

// FIPS 180-1 section 7: one of the 80 steps. Instead of shifting A..E along, the callers
// rotate the roles of the five variables over each run of five steps.
template <std::uint32_t (*F)(std::uint32_t, std::uint32_t, std::uint32_t), std::uint32_t K>
inline void Step(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d,
                 std::uint32_t& e, std::uint32_t w) noexcept {
    e += std::rotl(a, 5) + F(b, c, d) + K + w;
    b = std::rotl(b, 30);
}

// Steps t .. t+4, which share f and K. Expanded: the words come from the schedule
// recurrence rather than straight from the block.
template <std::uint32_t (*F)(std::uint32_t, std::uint32_t, std::uint32_t), std::uint32_t K,
          bool Expanded>
inline void FiveSteps(std::uint32_t* v, std::uint32_t* w, int t) noexcept {
    auto word = [w](int i) { return Expanded ? Expand(w, i) : w[i]; };
    std::uint32_t &a = v[0], &b = v[1], &c = v[2], &d = v[3], &e = v[4];
    Step<F, K>(a, b, c, d, e, word(t));
    Step<F, K>(e, a, b, c, d, word(t + 1));
    Step<F, K>(d, e, a, b, c, word(t + 2));
    Step<F, K>(c, d, e, a, b, word(t + 3));
    Step<F, K>(b, c, d, e, a, word(t + 4));
}

void Compress(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks) noexcept {
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t w[16];
        for (int i = 0; i < 16; ++i)
            w[i] = LoadBE32(p + 4 * i);
        std::uint32_t v[5] = {h[0], h[1], h[2], h[3], h[4]};
        FiveSteps<Ch, 0x5A827999u, false>(v, w, 0);
        FiveSteps<Ch, 0x5A827999u, false>(v, w, 5);
        FiveSteps<Ch, 0x5A827999u, false>(v, w, 10);
        // Steps 15-19 straddle the end of the block's own words.
        {
            std::uint32_t &a = v[0], &b = v[1], &c = v[2], &d = v[3], &e = v[4];
            Step<Ch, 0x5A827999u>(a, b, c, d, e, w[15]);
            Step<Ch, 0x5A827999u>(e, a, b, c, d, Expand(w, 16));
            Step<Ch, 0x5A827999u>(d, e, a, b, c, Expand(w, 17));
            Step<Ch, 0x5A827999u>(c, d, e, a, b, Expand(w, 18));
            Step<Ch, 0x5A827999u>(b, c, d, e, a, Expand(w, 19));
        }
        for (int t = 20; t < 40; t += 5)
            FiveSteps<Parity, 0x6ED9EBA1u, true>(v, w, t);
        for (int t = 40; t < 60; t += 5)
            FiveSteps<Maj, 0x8F1BBCDCu, true>(v, w, t);
        for (int t = 60; t < 80; t += 5)
            FiveSteps<Parity, 0xCA62C1D6u, true>(v, w, t);
        for (int i = 0; i < 5; ++i)
            h[i] += v[i];
    }
}

}  // namespace

TSha1::~TSha1() {
    Wipe();
}

void TSha1::Init() noexcept {
    // FIPS 180-1 section 7: initial H0..H4.
    state_[0] = 0x67452301u;
    state_[1] = 0xEFCDAB89u;
    state_[2] = 0x98BADCFEu;
    state_[3] = 0x10325476u;
    state_[4] = 0xC3D2E1F0u;
    length_ = 0;
}

void TSha1::Wipe() noexcept {
    SecureWipe(state_);
    SecureWipe(&length_, sizeof length_);
    SecureWipe(buffer_);
}

void TSha1::Update(std::span<const std::uint8_t> data) noexcept {
    std::size_t n = data.size();
    if (n == 0)
        return;
    const std::uint8_t* p = data.data();
    std::size_t used = static_cast<std::size_t>(length_ % kBlockBytes);
    length_ += n;
    if (used != 0) {
        const std::size_t take = std::min(n, kBlockBytes - used);
        std::memcpy(buffer_ + used, p, take);
        p += take;
        n -= take;
        if (used + take < kBlockBytes)
            return;
        Compress(state_, buffer_, 1);
    }
    if (n >= kBlockBytes) {
        Compress(state_, p, n / kBlockBytes);
        p += n - n % kBlockBytes;
        n %= kBlockBytes;
    }
    if (n != 0)
        std::memcpy(buffer_, p, n);
}

// FIPS 180-1 section 4: a 1 bit, zeros up to 448 mod 512 bits, then the 64-bit length.
void TSha1::Final(std::uint8_t digest[DigestBytes]) noexcept {
    const std::uint64_t bits = length_ << 3;
    std::size_t used = static_cast<std::size_t>(length_ % kBlockBytes);
    buffer_[used++] = 0x80;
    if (used > kBlockBytes - 8) {
        std::memset(buffer_ + used, 0, kBlockBytes - used);
        Compress(state_, buffer_, 1);
        used = 0;
    }
    std::memset(buffer_ + used, 0, kBlockBytes - 8 - used);
    StoreBE32(buffer_ + 56, static_cast<std::uint32_t>(bits >> 32));
    StoreBE32(buffer_ + 60, static_cast<std::uint32_t>(bits));
    Compress(state_, buffer_, 1);
    for (int i = 0; i < 5; ++i)
        StoreBE32(digest + 4 * i, state_[i]);
    Wipe();
    Init();
}

std::array<std::uint8_t, TSha1::DigestBytes> TSha1::Digest(
    std::span<const std::uint8_t> data) noexcept {
    TSha1 h;
    h.Update(data);
    std::array<std::uint8_t, DigestBytes> out;
    h.Final(out.data());
    return out;
}

}  // namespace dovrel
