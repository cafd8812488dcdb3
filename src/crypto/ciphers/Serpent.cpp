#include "crypto/ciphers/Serpent.h"

#include <bit>
#include <cstddef>

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

namespace dovrel {

namespace {

constexpr std::uint32_t kPhi = 0x9e3779b9;  // fractional part of the golden ratio

// The S-boxes in bitslice form: bit i of x0..x3 holds bits 0..3 of the i-th 4-bit input,
// so each call applies the S-box to all 32 columns at once, in place. The AND/OR/XOR/NOT
// networks were found by a circuit search and checked against the S-box tables of the
// Serpent paper (appendix A.5) for all 16 inputs.
// S0 = 3 8 15 1 10 6 5 11 14 13 4 2 7 0 9 12: 18 gates.
inline void S0(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x1 ^ x0;
    const std::uint32_t t1 = x0 | x3;
    const std::uint32_t t2 = ~t0;
    const std::uint32_t t3 = t2 ^ x2;
    const std::uint32_t t4 = x3 ^ t2;
    const std::uint32_t t5 = t1 ^ x2;
    const std::uint32_t t6 = t3 & x1;
    const std::uint32_t t7 = t4 | t6;
    const std::uint32_t t8 = t5 | t2;
    const std::uint32_t t9 = t0 ^ t8;
    const std::uint32_t t10 = t3 ^ t6;
    const std::uint32_t t11 = t5 ^ x1;
    const std::uint32_t t12 = x3 ^ t10;
    const std::uint32_t t13 = t8 & t12;
    const std::uint32_t t14 = t12 ^ t11;
    const std::uint32_t t15 = t14 & t9;
    const std::uint32_t t16 = t13 ^ x1;
    const std::uint32_t t17 = t7 ^ t9;
    x0 = t16;
    x1 = t15;
    x2 = t17;
    x3 = t11;
}

// S0^-1 = 13 3 11 0 10 6 5 12 1 14 4 7 15 9 8 2: 19 gates.
inline void InvS0(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x1 | x0;
    const std::uint32_t t1 = ~x0;
    const std::uint32_t t2 = t0 ^ x2;
    const std::uint32_t t3 = ~t2;
    const std::uint32_t t4 = x3 ^ t1;
    const std::uint32_t t5 = t4 ^ x1;
    const std::uint32_t t6 = x2 | t4;
    const std::uint32_t t7 = t3 & t5;
    const std::uint32_t t8 = t4 & t7;
    const std::uint32_t t9 = x3 ^ t3;
    const std::uint32_t t10 = t5 | t1;
    const std::uint32_t t11 = t10 & t2;
    const std::uint32_t t12 = t2 | t10;
    const std::uint32_t t13 = ~t10;
    const std::uint32_t t14 = t6 & t11;
    const std::uint32_t t15 = t5 ^ t12;
    const std::uint32_t t16 = t14 ^ t7;
    const std::uint32_t t17 = t14 | t13;
    const std::uint32_t t18 = t8 | t15;
    x0 = t18;
    x1 = t17;
    x2 = t9;
    x3 = t16;
}

// S1 = 15 12 2 7 9 0 5 10 1 11 14 8 6 13 3 4: 18 gates.
inline void S1(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = ~x1;
    const std::uint32_t t1 = x1 ^ x3;
    const std::uint32_t t2 = x3 | t1;
    const std::uint32_t t3 = x0 ^ t0;
    const std::uint32_t t4 = x2 ^ t3;
    const std::uint32_t t5 = ~t2;
    const std::uint32_t t6 = t3 ^ x3;
    const std::uint32_t t7 = t5 ^ t4;
    const std::uint32_t t8 = t0 & t6;
    const std::uint32_t t9 = t6 | t1;
    const std::uint32_t t10 = t7 & t9;
    const std::uint32_t t11 = t7 ^ t6;
    const std::uint32_t t12 = t11 ^ t8;
    const std::uint32_t t13 = t12 ^ t3;
    const std::uint32_t t14 = t10 | t8;
    const std::uint32_t t15 = t14 & t12;
    const std::uint32_t t16 = t9 ^ t15;
    const std::uint32_t t17 = t15 ^ t11;
    x0 = t14;
    x1 = t16;
    x2 = t13;
    x3 = t17;
}

// S1^-1 = 5 8 2 14 15 6 12 3 11 4 7 9 1 13 10 0: 19 gates.
inline void InvS1(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = ~x2;
    const std::uint32_t t1 = x1 | x3;
    const std::uint32_t t2 = x1 ^ x2;
    const std::uint32_t t3 = t2 ^ t1;
    const std::uint32_t t4 = t1 | x0;
    const std::uint32_t t5 = x0 ^ t3;
    const std::uint32_t t6 = t3 | x1;
    const std::uint32_t t7 = t0 | t2;
    const std::uint32_t t8 = t7 | x3;
    const std::uint32_t t9 = t8 ^ x0;
    const std::uint32_t t10 = t7 ^ t4;
    const std::uint32_t t11 = t9 | t2;
    const std::uint32_t t12 = t10 ^ x3;
    const std::uint32_t t13 = t11 & t12;
    const std::uint32_t t14 = t5 ^ t0;
    const std::uint32_t t15 = t6 & t9;
    const std::uint32_t t16 = t13 ^ t11;
    const std::uint32_t t17 = t16 ^ t14;
    const std::uint32_t t18 = t15 | t16;
    x0 = t13;
    x1 = t18;
    x2 = t17;
    x3 = t5;
}

// S2 = 8 6 7 9 3 12 10 15 13 1 14 4 0 11 5 2: 18 gates.
inline void S2(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x2 ^ x0;
    const std::uint32_t t1 = t0 | x1;
    const std::uint32_t t2 = x2 & t0;
    const std::uint32_t t3 = x3 ^ t2;
    const std::uint32_t t4 = x2 & t3;
    const std::uint32_t t5 = t3 ^ x1;
    const std::uint32_t t6 = x1 | x3;
    const std::uint32_t t7 = t1 & x2;
    const std::uint32_t t8 = t6 ^ t0;
    const std::uint32_t t9 = t8 & t1;
    const std::uint32_t t10 = t8 | t7;
    const std::uint32_t t11 = t7 ^ t3;
    const std::uint32_t t12 = x2 ^ t10;
    const std::uint32_t t13 = x1 & t11;
    const std::uint32_t t14 = t4 | t9;
    const std::uint32_t t15 = t13 | t12;
    const std::uint32_t t16 = ~t11;
    const std::uint32_t t17 = t8 ^ t16;
    x0 = t5;
    x1 = t14;
    x2 = t15;
    x3 = t17;
}

// S2^-1 = 12 9 15 4 11 14 1 2 0 3 6 13 5 8 10 7: 16 gates.
inline void InvS2(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x0 ^ x3;
    const std::uint32_t t1 = x1 ^ x2;
    const std::uint32_t t2 = x3 ^ t1;
    const std::uint32_t t3 = t2 | t1;
    const std::uint32_t t4 = x2 ^ t3;
    const std::uint32_t t5 = t2 ^ x0;
    const std::uint32_t t6 = ~t5;
    const std::uint32_t t7 = t0 & t4;
    const std::uint32_t t8 = t7 ^ t4;
    const std::uint32_t t9 = t6 ^ t8;
    const std::uint32_t t10 = x1 | t2;
    const std::uint32_t t11 = t10 ^ t0;
    const std::uint32_t t12 = t11 & t9;
    const std::uint32_t t13 = t7 ^ t2;
    const std::uint32_t t14 = ~t12;
    const std::uint32_t t15 = t4 ^ t14;
    x0 = t11;
    x1 = t13;
    x2 = t9;
    x3 = t15;
}

// S3 = 0 15 11 8 12 9 6 3 13 1 2 4 10 7 5 14: 16 gates.
inline void S3(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x1 ^ x0;
    const std::uint32_t t1 = x2 ^ x3;
    const std::uint32_t t2 = t1 ^ x1;
    const std::uint32_t t3 = t0 & x3;
    const std::uint32_t t4 = t0 | x2;
    const std::uint32_t t5 = t3 ^ t4;
    const std::uint32_t t6 = x1 & t5;
    const std::uint32_t t7 = t4 ^ t2;
    const std::uint32_t t8 = t2 ^ t6;
    const std::uint32_t t9 = t8 & t7;
    const std::uint32_t t10 = t6 ^ t9;
    const std::uint32_t t11 = t10 ^ t7;
    const std::uint32_t t12 = t1 & t7;
    const std::uint32_t t13 = t8 ^ x0;
    const std::uint32_t t14 = t5 ^ t9;
    const std::uint32_t t15 = t0 ^ t12;
    x0 = t15;
    x1 = t11;
    x2 = t13;
    x3 = t14;
}

// S3^-1 = 0 9 10 7 11 14 6 13 3 5 12 2 4 8 15 1: 19 gates.
inline void InvS3(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x2 | x3;
    const std::uint32_t t1 = x1 ^ x0;
    const std::uint32_t t2 = t1 | x2;
    const std::uint32_t t3 = x1 | x2;
    const std::uint32_t t4 = t1 & x2;
    const std::uint32_t t5 = x3 ^ x0;
    const std::uint32_t t6 = x0 | t5;
    const std::uint32_t t7 = t4 ^ t6;
    const std::uint32_t t8 = t7 ^ t2;
    const std::uint32_t t9 = t5 ^ t3;
    const std::uint32_t t10 = t4 & t9;
    const std::uint32_t t11 = t8 & t0;
    const std::uint32_t t12 = x0 ^ t11;
    const std::uint32_t t13 = x1 ^ t9;
    const std::uint32_t t14 = t13 | t8;
    const std::uint32_t t15 = t6 | t14;
    const std::uint32_t t16 = t14 & t2;
    const std::uint32_t t17 = t10 ^ t8;
    const std::uint32_t t18 = t15 ^ t9;
    x0 = t12;
    x1 = t17;
    x2 = t18;
    x3 = t16;
}

// S4 = 1 15 8 3 12 0 11 6 2 5 4 10 9 14 7 13: 17 gates.
inline void S4(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x0 | x3;
    const std::uint32_t t1 = x3 ^ x1;
    const std::uint32_t t2 = x2 ^ t0;
    const std::uint32_t t3 = x2 ^ x1;
    const std::uint32_t t4 = ~t3;
    const std::uint32_t t5 = x0 ^ x1;
    const std::uint32_t t6 = ~t1;
    const std::uint32_t t7 = t5 | t6;
    const std::uint32_t t8 = x2 | t5;
    const std::uint32_t t9 = x0 ^ t6;
    const std::uint32_t t10 = t8 & t9;
    const std::uint32_t t11 = t3 ^ t7;
    const std::uint32_t t12 = x1 | t11;
    const std::uint32_t t13 = t10 ^ t2;
    const std::uint32_t t14 = t12 ^ t9;
    const std::uint32_t t15 = x0 & t4;
    const std::uint32_t t16 = t15 | t10;
    x0 = t11;
    x1 = t13;
    x2 = t16;
    x3 = t14;
}

// S4^-1 = 5 0 8 3 10 9 7 14 2 12 11 6 4 15 13 1: 18 gates.
inline void InvS4(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = ~x0;
    const std::uint32_t t1 = x1 | x3;
    const std::uint32_t t2 = x3 ^ x2;
    const std::uint32_t t3 = x2 | x3;
    const std::uint32_t t4 = t1 ^ x2;
    const std::uint32_t t5 = x1 ^ t3;
    const std::uint32_t t6 = x0 & t1;
    const std::uint32_t t7 = t0 | t5;
    const std::uint32_t t8 = t6 ^ x3;
    const std::uint32_t t9 = x0 & t7;
    const std::uint32_t t10 = t4 ^ t7;
    const std::uint32_t t11 = t9 ^ t2;
    const std::uint32_t t12 = t6 & t2;
    const std::uint32_t t13 = t11 | t0;
    const std::uint32_t t14 = t10 | t12;
    const std::uint32_t t15 = t5 ^ t13;
    const std::uint32_t t16 = t15 ^ t6;
    const std::uint32_t t17 = t8 ^ t5;
    x0 = t16;
    x1 = t11;
    x2 = t14;
    x3 = t17;
}

// S5 = 15 5 2 11 4 10 9 12 0 3 14 8 13 6 7 1: 16 gates.
inline void S5(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x1 ^ x0;
    const std::uint32_t t1 = t0 | x1;
    const std::uint32_t t2 = ~x3;
    const std::uint32_t t3 = x3 & t0;
    const std::uint32_t t4 = x2 ^ t2;
    const std::uint32_t t5 = x0 ^ t3;
    const std::uint32_t t6 = t0 ^ t2;
    const std::uint32_t t7 = t4 ^ t1;
    const std::uint32_t t8 = t5 ^ t7;
    const std::uint32_t t9 = t8 & t2;
    const std::uint32_t t10 = t9 ^ t0;
    const std::uint32_t t11 = t8 & t7;
    const std::uint32_t t12 = t9 ^ t11;
    const std::uint32_t t13 = t10 & t12;
    const std::uint32_t t14 = t7 ^ t13;
    const std::uint32_t t15 = t6 ^ t12;
    x0 = t8;
    x1 = t10;
    x2 = t15;
    x3 = t14;
}

// S5^-1 = 8 15 2 9 4 1 13 14 11 6 5 3 7 12 10 0: 18 gates.
inline void InvS5(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x2 | x1;
    const std::uint32_t t1 = x3 | x0;
    const std::uint32_t t2 = x0 & x3;
    const std::uint32_t t3 = t0 ^ t2;
    const std::uint32_t t4 = x2 & t3;
    const std::uint32_t t5 = ~x1;
    const std::uint32_t t6 = t4 ^ x0;
    const std::uint32_t t7 = x1 | x0;
    const std::uint32_t t8 = t6 | x2;
    const std::uint32_t t9 = t5 & t3;
    const std::uint32_t t10 = t7 & t3;
    const std::uint32_t t11 = t1 ^ x2;
    const std::uint32_t t12 = t3 & t8;
    const std::uint32_t t13 = t5 ^ t12;
    const std::uint32_t t14 = t11 ^ t9;
    const std::uint32_t t15 = x1 & t1;
    const std::uint32_t t16 = t14 ^ t10;
    const std::uint32_t t17 = t15 ^ t6;
    x0 = t14;
    x1 = t16;
    x2 = t17;
    x3 = t13;
}

// S6 = 7 2 12 5 8 4 6 11 14 9 1 15 13 3 10 0: 18 gates.
inline void S6(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x0 & x3;
    const std::uint32_t t1 = x1 ^ x0;
    const std::uint32_t t2 = t0 ^ x2;
    const std::uint32_t t3 = x1 & t2;
    const std::uint32_t t4 = t2 ^ x3;
    const std::uint32_t t5 = x1 ^ t2;
    const std::uint32_t t6 = x3 ^ t1;
    const std::uint32_t t7 = t4 | t1;
    const std::uint32_t t8 = x3 ^ t3;
    const std::uint32_t t9 = ~t7;
    const std::uint32_t t10 = t6 & t5;
    const std::uint32_t t11 = t8 & t6;
    const std::uint32_t t12 = t11 ^ t9;
    const std::uint32_t t13 = t12 ^ t10;
    const std::uint32_t t14 = ~t5;
    const std::uint32_t t15 = t8 ^ t12;
    const std::uint32_t t16 = t13 ^ t9;
    const std::uint32_t t17 = t16 ^ t2;
    x0 = t15;
    x1 = t14;
    x2 = t13;
    x3 = t17;
}

// S6^-1 = 15 10 1 13 5 3 6 0 4 9 14 7 2 12 8 11: 18 gates.
inline void InvS6(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x2 & x0;
    const std::uint32_t t1 = x3 ^ x1;
    const std::uint32_t t2 = t1 ^ t0;
    const std::uint32_t t3 = ~t2;
    const std::uint32_t t4 = x0 ^ x2;
    const std::uint32_t t5 = t3 ^ x2;
    const std::uint32_t t6 = x1 ^ t4;
    const std::uint32_t t7 = t4 | x3;
    const std::uint32_t t8 = ~x0;
    const std::uint32_t t9 = t6 | t7;
    const std::uint32_t t10 = t3 & x1;
    const std::uint32_t t11 = t8 ^ t7;
    const std::uint32_t t12 = t10 ^ t9;
    const std::uint32_t t13 = t2 ^ t11;
    const std::uint32_t t14 = t8 ^ t12;
    const std::uint32_t t15 = t11 | t1;
    const std::uint32_t t16 = t6 ^ t15;
    const std::uint32_t t17 = t12 ^ t13;
    x0 = t17;
    x1 = t5;
    x2 = t16;
    x3 = t14;
}

// S7 = 1 13 15 0 14 8 2 11 7 4 12 10 9 3 5 6: 19 gates.
inline void S7(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x0 & x1;
    const std::uint32_t t1 = t0 ^ x3;
    const std::uint32_t t2 = x2 ^ t1;
    const std::uint32_t t3 = x3 ^ x0;
    const std::uint32_t t4 = x1 ^ x2;
    const std::uint32_t t5 = x2 | t4;
    const std::uint32_t t6 = t4 ^ x0;
    const std::uint32_t t7 = t4 | x3;
    const std::uint32_t t8 = t3 & t7;
    const std::uint32_t t9 = t8 ^ t5;
    const std::uint32_t t10 = t0 | t8;
    const std::uint32_t t11 = t5 ^ t1;
    const std::uint32_t t12 = x0 & t11;
    const std::uint32_t t13 = t5 & t2;
    const std::uint32_t t14 = t13 | t12;
    const std::uint32_t t15 = ~t14;
    const std::uint32_t t16 = t10 & t15;
    const std::uint32_t t17 = t6 ^ t16;
    const std::uint32_t t18 = t6 ^ t12;
    x0 = t15;
    x1 = t9;
    x2 = t17;
    x3 = t18;
}

// S7^-1 = 3 0 6 13 9 14 15 8 5 12 11 7 10 1 4 2: 19 gates.
inline void InvS7(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    const std::uint32_t t0 = x3 & x1;
    const std::uint32_t t1 = ~x3;
    const std::uint32_t t2 = x1 | x2;
    const std::uint32_t t3 = x0 ^ t1;
    const std::uint32_t t4 = x2 ^ t0;
    const std::uint32_t t5 = t1 | x2;
    const std::uint32_t t6 = t2 ^ t3;
    const std::uint32_t t7 = t6 | t0;
    const std::uint32_t t8 = t7 ^ x2;
    const std::uint32_t t9 = x3 & t2;
    const std::uint32_t t10 = t8 & x0;
    const std::uint32_t t11 = t4 ^ t10;
    const std::uint32_t t12 = t8 ^ x3;
    const std::uint32_t t13 = t11 | t6;
    const std::uint32_t t14 = t13 ^ t12;
    const std::uint32_t t15 = t5 & t6;
    const std::uint32_t t16 = t15 ^ x1;
    const std::uint32_t t17 = t14 ^ x1;
    const std::uint32_t t18 = t12 ^ t9;
    x0 = t18;
    x1 = t16;
    x2 = t17;
    x3 = t11;
}

template <int N>
inline void SBox(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d) {
    if constexpr (N == 0)
        S0(a, b, c, d);
    else if constexpr (N == 1)
        S1(a, b, c, d);
    else if constexpr (N == 2)
        S2(a, b, c, d);
    else if constexpr (N == 3)
        S3(a, b, c, d);
    else if constexpr (N == 4)
        S4(a, b, c, d);
    else if constexpr (N == 5)
        S5(a, b, c, d);
    else if constexpr (N == 6)
        S6(a, b, c, d);
    else
        S7(a, b, c, d);
}

template <int N>
inline void InvSBox(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d) {
    if constexpr (N == 0)
        InvS0(a, b, c, d);
    else if constexpr (N == 1)
        InvS1(a, b, c, d);
    else if constexpr (N == 2)
        InvS2(a, b, c, d);
    else if constexpr (N == 3)
        InvS3(a, b, c, d);
    else if constexpr (N == 4)
        InvS4(a, b, c, d);
    else if constexpr (N == 5)
        InvS5(a, b, c, d);
    else if constexpr (N == 6)
        InvS6(a, b, c, d);
    else
        InvS7(a, b, c, d);
}

// The linear transformation of the Serpent paper, section 2 (bitslice description).
inline void LT(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    x0 = std::rotl(x0, 13);
    x2 = std::rotl(x2, 3);
    x1 = std::rotl(x1 ^ x0 ^ x2, 1);
    x3 = std::rotl(x3 ^ x2 ^ (x0 << 3), 7);
    x0 = std::rotl(x0 ^ x1 ^ x3, 5);
    x2 = std::rotl(x2 ^ x3 ^ (x1 << 7), 22);
}

inline void InvLT(std::uint32_t& x0, std::uint32_t& x1, std::uint32_t& x2, std::uint32_t& x3) {
    x2 = std::rotr(x2, 22) ^ x3 ^ (x1 << 7);
    x0 = std::rotr(x0, 5) ^ x1 ^ x3;
    x3 = std::rotr(x3, 7) ^ x2 ^ (x0 << 3);
    x1 = std::rotr(x1, 1) ^ x0 ^ x2;
    x2 = std::rotr(x2, 3);
    x0 = std::rotr(x0, 13);
}

inline void XorKey(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                   const std::uint32_t* k) {
    a ^= k[0];
    b ^= k[1];
    c ^= k[2];
    d ^= k[3];
}

// Round r of eight (r = round number mod 8): key mixing, S-box S_r, linear transformation.
template <int R>
inline void Round(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                  const std::uint32_t* k) {
    XorKey(a, b, c, d, k);
    SBox<R>(a, b, c, d);
    LT(a, b, c, d);
}

template <int R>
inline void InvRound(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                     const std::uint32_t* k) {
    InvLT(a, b, c, d);
    InvSBox<R>(a, b, c, d);
    XorKey(a, b, c, d, k);
}

// Key schedule S-box for round key j: S_{(3 - j) mod 8}.
void KeySBox(int j, std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d) {
    switch ((35 - j) % 8) {
        case 0:
            S0(a, b, c, d);
            break;
        case 1:
            S1(a, b, c, d);
            break;
        case 2:
            S2(a, b, c, d);
            break;
        case 3:
            S3(a, b, c, d);
            break;
        case 4:
            S4(a, b, c, d);
            break;
        case 5:
            S5(a, b, c, d);
            break;
        case 6:
            S6(a, b, c, d);
            break;
        default:
            S7(a, b, c, d);
            break;
    }
}

}  // namespace

void TSerpent::SetupKey(std::span<const std::uint8_t> key) {
    // Short keys: one 1 bit after the last key bit, then zeros up to 256 bits. In the
    // NESSIE byte order that is the byte 0x01 right after the key bytes.
    std::uint8_t k[32] = {};
    for (std::size_t i = 0; i < key.size(); ++i)
        k[i] = key[i];
    if (key.size() < sizeof k)
        k[key.size()] = 0x01;
    // w[0..7] are the prekeys w_-8..w_-1, w[8 + i] is w_i (Serpent paper, section 2).
    std::uint32_t w[8 + 132];
    for (int i = 0; i < 8; ++i)
        w[i] = LoadLE32(k + 4 * i);
    for (int i = 8; i < 8 + 132; ++i)
        w[i] = std::rotl(
            w[i - 8] ^ w[i - 5] ^ w[i - 3] ^ w[i - 1] ^ kPhi ^ static_cast<std::uint32_t>(i - 8),
            11);
    for (int j = 0; j < 33; ++j) {
        std::uint32_t a = w[8 + 4 * j], b = w[9 + 4 * j], c = w[10 + 4 * j], d = w[11 + 4 * j];
        KeySBox(j, a, b, c, d);
        k_[j][0] = a;
        k_[j][1] = b;
        k_[j][2] = c;
        k_[j][3] = d;
    }
    SecureWipe(w);
    SecureWipe(k);
}

void TSerpent::WipeSchedule() noexcept {
    SecureWipe(k_);
}

void TSerpent::EncryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in), b = LoadLE32(in + 4), c = LoadLE32(in + 8),
                  d = LoadLE32(in + 12);
    for (int r = 0; r < 24; r += 8) {
        Round<0>(a, b, c, d, k_[r]);
        Round<1>(a, b, c, d, k_[r + 1]);
        Round<2>(a, b, c, d, k_[r + 2]);
        Round<3>(a, b, c, d, k_[r + 3]);
        Round<4>(a, b, c, d, k_[r + 4]);
        Round<5>(a, b, c, d, k_[r + 5]);
        Round<6>(a, b, c, d, k_[r + 6]);
        Round<7>(a, b, c, d, k_[r + 7]);
    }
    Round<0>(a, b, c, d, k_[24]);
    Round<1>(a, b, c, d, k_[25]);
    Round<2>(a, b, c, d, k_[26]);
    Round<3>(a, b, c, d, k_[27]);
    Round<4>(a, b, c, d, k_[28]);
    Round<5>(a, b, c, d, k_[29]);
    Round<6>(a, b, c, d, k_[30]);
    // The last round replaces the linear transformation by a further key mixing.
    XorKey(a, b, c, d, k_[31]);
    S7(a, b, c, d);
    XorKey(a, b, c, d, k_[32]);
    StoreLE32(out, a);
    StoreLE32(out + 4, b);
    StoreLE32(out + 8, c);
    StoreLE32(out + 12, d);
}

void TSerpent::DecryptBlockImpl(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLE32(in), b = LoadLE32(in + 4), c = LoadLE32(in + 8),
                  d = LoadLE32(in + 12);
    XorKey(a, b, c, d, k_[32]);
    InvS7(a, b, c, d);
    XorKey(a, b, c, d, k_[31]);
    InvRound<6>(a, b, c, d, k_[30]);
    InvRound<5>(a, b, c, d, k_[29]);
    InvRound<4>(a, b, c, d, k_[28]);
    InvRound<3>(a, b, c, d, k_[27]);
    InvRound<2>(a, b, c, d, k_[26]);
    InvRound<1>(a, b, c, d, k_[25]);
    InvRound<0>(a, b, c, d, k_[24]);
    for (int r = 16; r >= 0; r -= 8) {
        InvRound<7>(a, b, c, d, k_[r + 7]);
        InvRound<6>(a, b, c, d, k_[r + 6]);
        InvRound<5>(a, b, c, d, k_[r + 5]);
        InvRound<4>(a, b, c, d, k_[r + 4]);
        InvRound<3>(a, b, c, d, k_[r + 3]);
        InvRound<2>(a, b, c, d, k_[r + 2]);
        InvRound<1>(a, b, c, d, k_[r + 1]);
        InvRound<0>(a, b, c, d, k_[r]);
    }
    StoreLE32(out, a);
    StoreLE32(out + 4, b);
    StoreLE32(out + 8, c);
    StoreLE32(out + 12, d);
}

DOVREL_CHAINED_BLOCKS_DEF(TSerpent)

}  // namespace dovrel
