// Every cipher's chained calls against the chaining rules applied block by block through its
// own block functions (which the published vectors and the library cross-checks pin down):
// the same bytes and the same chaining block after every kind of call the file format makes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "crypto/CipherTestSupport.h"
#include "crypto/ciphers/Blowfish.h"
#include "crypto/ciphers/Cast128.h"
#include "crypto/ciphers/Cast256.h"
#include "crypto/ciphers/Des.h"
#include "crypto/ciphers/Ice.h"
#include "crypto/ciphers/Idea.h"
#include "crypto/ciphers/Mars.h"
#include "crypto/ciphers/Misty1.h"
#include "crypto/ciphers/Rc2.h"
#include "crypto/ciphers/Rc5.h"
#include "crypto/ciphers/Rc6.h"
#include "crypto/ciphers/Rijndael.h"
#include "crypto/ciphers/Serpent.h"
#include "crypto/ciphers/Tea.h"
#include "crypto/ciphers/TripleDes.h"
#include "crypto/ciphers/Twofish.h"

namespace dovrel {
namespace {

using test::Bytes;
using test::ToHex;

struct CipherCase {
    const char* name;
    std::function<std::unique_ptr<TBlockCipher>()> make;
};

template <class T>
CipherCase Case(const char* name) {
    return {name, [] { return std::make_unique<T>(); }};
}

const std::vector<CipherCase> kCiphers = {
    Case<TBlowfish>("Blowfish"), Case<TCast128>("CAST-128"), Case<TCast256>("CAST-256"),
    Case<TDes>("DES"),           Case<TTripleDes>("3DES"),   Case<TIce>("ICE"),
    Case<TThinIce>("Thin ICE"),  Case<TIce2>("ICE2"),        Case<TIdea>("IDEA"),
    Case<TMars>("MARS"),         Case<TMisty1>("MISTY 1"),   Case<TRc2>("RC2"),
    Case<TRc5>("RC5"),           Case<TRc6>("RC6"),          Case<TRijndael>("RIJNDAEL"),
    Case<TSerpent>("Serpent"),   Case<TTea>("TEA"),          Case<TTwofish>("TWOFISH"),
};

// The chaining rules written out with one block function call per block.
void ReferenceChained(const TBlockCipher& c, Bytes& cv, const std::uint8_t* in, std::uint8_t* out,
                      std::size_t n, bool decrypt) {
    const std::size_t b = c.BlockBytes();
    Bytes t(b);
    for (; n >= b; n -= b, in += b, out += b) {
        if (decrypt) {
            c.DecryptBlock(in, t.data());
            for (std::size_t i = 0; i < b; ++i)
                t[i] ^= cv[i];
            cv.assign(in, in + b);
            std::copy(t.begin(), t.end(), out);
        } else {
            for (std::size_t i = 0; i < b; ++i)
                cv[i] ^= in[i];
            c.EncryptBlock(cv.data(), cv.data());
            std::copy(cv.begin(), cv.end(), out);
        }
    }
    if (n != 0) {
        c.EncryptBlock(cv.data(), cv.data());
        for (std::size_t i = 0; i < n; ++i)
            out[i] = in[i] ^ cv[i];
    }
}

// Call lengths of the format: one-byte steps, pieces below a block, whole blocks from one to
// past eight, blocks with a partial tail, the 8192-byte buffer and the remainders of a step.
const std::vector<std::size_t> kCuts = {1,   1,   3,    8,    15,   16,   17,   24,
                                        64,  127, 128,  129,  144,  1808, 8192, 8192,
                                        123, 45,  8191, 4096, 1000, 7,    1};

void ExpectChainedCallsFollowTheRules(const CipherCase& cipher, bool decrypt) {
    std::mt19937 rng(0xC0FFEE);
    std::size_t total = 0;
    for (std::size_t n : kCuts)
        total += n;
    for (int round = 0; round < 2; ++round) {
        Bytes password(1 + rng() % 40), data(total);
        test::FillRandom(password, rng);
        test::FillRandom(data, rng);
        const auto c = cipher.make();
        const auto reference = cipher.make();
        c->SetKeyFromPassword(password);
        reference->SetKeyFromPassword(password);
        Bytes cv(reference->CV().begin(), reference->CV().end());
        Bytes got(total), want(total);
        std::size_t at = 0;
        for (std::size_t i = 0; i < kCuts.size(); ++i) {
            const std::size_t n = kCuts[i];
            SCOPED_TRACE(testing::Message() << "call " << i << " of " << n << " bytes");
            // In place, as the stream parts call it, and out of place every other call.
            if (i % 2 == 0) {
                std::copy(data.begin() + at, data.begin() + at + n, got.begin() + at);
                decrypt ? c->DecryptChained(got.data() + at, got.data() + at, n)
                        : c->EncryptChained(got.data() + at, got.data() + at, n);
            } else {
                decrypt ? c->DecryptChained(data.data() + at, got.data() + at, n)
                        : c->EncryptChained(data.data() + at, got.data() + at, n);
            }
            ReferenceChained(*reference, cv, data.data() + at, want.data() + at, n, decrypt);
            ASSERT_EQ(ToHex(Bytes(got.begin() + at, got.begin() + at + n)),
                      ToHex(Bytes(want.begin() + at, want.begin() + at + n)));
            ASSERT_EQ(ToHex(Bytes(c->CV().begin(), c->CV().end())), ToHex(cv));
            at += n;
        }
    }
}

TEST(ChainedCalls, EveryCipherFollowsTheChainingRulesBlockByBlock) {
    for (const auto& cipher : kCiphers) {
        SCOPED_TRACE(cipher.name);
        ExpectChainedCallsFollowTheRules(cipher, false);
        ExpectChainedCallsFollowTheRules(cipher, true);
    }
}

TEST(ChainedCalls, EveryCipherFollowsTheChainingRulesOnThePortablePath) {
    test::PortableCiphersScope portable;
    for (const auto& cipher : kCiphers) {
        SCOPED_TRACE(cipher.name);
        ExpectChainedCallsFollowTheRules(cipher, false);
        ExpectChainedCallsFollowTheRules(cipher, true);
    }
}

}  // namespace
}  // namespace dovrel
