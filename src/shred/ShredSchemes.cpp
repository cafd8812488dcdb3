#include "shred/ShredSchemes.h"

namespace dovrel {

namespace {

constexpr TPassSpec R{TPassKind::Random};
constexpr TPassSpec C{TPassKind::RandomChar};
constexpr TPassSpec I{TPassKind::Invert};

constexpr TPassSpec Hex(std::uint8_t a) {
    return {TPassKind::Pattern, 1, {a}};
}
constexpr TPassSpec Hex(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return {TPassKind::Pattern, 3, {a, b, c}};
}
constexpr TPassSpec Hex(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return {TPassKind::Pattern, 4, {a, b, c, d}};
}

constexpr TPassSpec kZeroPass[] = {Hex(0x00)};
constexpr TPassSpec kRandPass[] = {R};
constexpr TPassSpec kAntiSoftRecover[] = {C, Hex(0x00)};
constexpr TPassSpec kNAVSOMF[] = {Hex(0xFF), Hex(0xFF, 0xFF, 0xFF, 0xFD), R};
constexpr TPassSpec kNAVSORL[] = {R, Hex(0xFF, 0xFF, 0xFF, 0xE4), R};
constexpr TPassSpec kVSITR[] = {Hex(0x00), Hex(0xFF), Hex(0x00), Hex(0xFF),
                                Hex(0x00), Hex(0xFF), Hex(0xAA)};
constexpr TPassSpec kGOST[] = {R, R, R, Hex(0x00), Hex(0x00), Hex(0x00)};
constexpr TPassSpec kSchneier[] = {R, Hex(0x00), R, R, R, R, R};
constexpr TPassSpec kDOD[] = {C, I, R, C, C, I, R};
constexpr TPassSpec kBEYNDDOD[] = {C, C, C, C, I, R, C, C, I, R, C, C, C};

// The 35-pass sequence whose first pass is the pattern 92 49 24 rather than random data,
// grouped in rows as the passes are usually listed.
// clang-format off
constexpr TPassSpec kGUTMANN[] = {
    Hex(0x92, 0x49, 0x24),
    R, R, R,
    Hex(0x55), Hex(0xAA),
    Hex(0x92, 0x49, 0x24), Hex(0x49, 0x24, 0x92), Hex(0x24, 0x92, 0x49),
    Hex(0x00), Hex(0x11), Hex(0x22), Hex(0x33), Hex(0x44), Hex(0x55), Hex(0x66), Hex(0x77),
    Hex(0x88), Hex(0x99), Hex(0xAA), Hex(0xBB), Hex(0xCC), Hex(0xDD), Hex(0xEE), Hex(0xFF),
    Hex(0x92, 0x49, 0x24), Hex(0x49, 0x24, 0x92), Hex(0x24, 0x92, 0x49),
    Hex(0x6D, 0xB6, 0xDB), Hex(0xB6, 0xDB, 0x6D), Hex(0xDB, 0x6D, 0xB6),
    R, R, R, R,
};
// clang-format on

}  // namespace

std::span<const TPassSpec> TZeroPass::Passes() const {
    return kZeroPass;
}
std::span<const TPassSpec> TRandPass::Passes() const {
    return kRandPass;
}
std::span<const TPassSpec> TAntiSoftRecover::Passes() const {
    return kAntiSoftRecover;
}
std::span<const TPassSpec> TNAVSOMF::Passes() const {
    return kNAVSOMF;
}
std::span<const TPassSpec> TNAVSORL::Passes() const {
    return kNAVSORL;
}
std::span<const TPassSpec> TVSITR::Passes() const {
    return kVSITR;
}
std::span<const TPassSpec> TGOST::Passes() const {
    return kGOST;
}
std::span<const TPassSpec> TSchneier::Passes() const {
    return kSchneier;
}
std::span<const TPassSpec> TDOD::Passes() const {
    return kDOD;
}
std::span<const TPassSpec> TBEYNDDOD::Passes() const {
    return kBEYNDDOD;
}
std::span<const TPassSpec> TGUTMANN::Passes() const {
    return kGUTMANN;
}

}  // namespace dovrel
