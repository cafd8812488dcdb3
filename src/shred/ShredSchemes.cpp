#include "shred/ShredSchemes.h"

namespace dovrel {

namespace {

constexpr TShredPass R{TPassKind::Random};
constexpr TShredPass C{TPassKind::RandomChar};
constexpr TShredPass I{TPassKind::Invert};

constexpr TShredPass Hex(std::uint8_t a) {
    return {TPassKind::Pattern, 1, {a}};
}
constexpr TShredPass Hex(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    return {TPassKind::Pattern, 3, {a, b, c}};
}
constexpr TShredPass Hex(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return {TPassKind::Pattern, 4, {a, b, c, d}};
}

constexpr TShredPass kZeroPass[] = {Hex(0x00)};
constexpr TShredPass kRandPass[] = {R};
constexpr TShredPass kAntiSoftRecover[] = {C, Hex(0x00)};
constexpr TShredPass kNAVSOMF[] = {Hex(0xFF), Hex(0xFF, 0xFF, 0xFF, 0xFD), R};
constexpr TShredPass kNAVSORL[] = {R, Hex(0xFF, 0xFF, 0xFF, 0xE4), R};
constexpr TShredPass kVSITR[] = {Hex(0x00), Hex(0xFF), Hex(0x00), Hex(0xFF),
                                 Hex(0x00), Hex(0xFF), Hex(0xAA)};
constexpr TShredPass kGOST[] = {R, R, R, Hex(0x00), Hex(0x00), Hex(0x00)};
constexpr TShredPass kSchneier[] = {R, Hex(0x00), R, R, R, R, R};
constexpr TShredPass kDOD[] = {C, I, R, C, C, I, R};
constexpr TShredPass kBEYNDDOD[] = {C, C, C, C, I, R, C, C, I, R, C, C, C};

// The 35-pass sequence whose first pass is the pattern 92 49 24 rather than random data,
// grouped in rows as the passes are usually listed.
// clang-format off
constexpr TShredPass kGUTMANN[] = {
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

std::span<const TShredPass> TZeroPass::Passes() const {
    return kZeroPass;
}
std::span<const TShredPass> TRandPass::Passes() const {
    return kRandPass;
}
std::span<const TShredPass> TAntiSoftRecover::Passes() const {
    return kAntiSoftRecover;
}
std::span<const TShredPass> TNAVSOMF::Passes() const {
    return kNAVSOMF;
}
std::span<const TShredPass> TNAVSORL::Passes() const {
    return kNAVSORL;
}
std::span<const TShredPass> TVSITR::Passes() const {
    return kVSITR;
}
std::span<const TShredPass> TGOST::Passes() const {
    return kGOST;
}
std::span<const TShredPass> TSchneier::Passes() const {
    return kSchneier;
}
std::span<const TShredPass> TDOD::Passes() const {
    return kDOD;
}
std::span<const TShredPass> TBEYNDDOD::Passes() const {
    return kBEYNDDOD;
}
std::span<const TShredPass> TGUTMANN::Passes() const {
    return kGUTMANN;
}

}  // namespace dovrel
