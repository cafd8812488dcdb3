#pragma once

#include "shred/ShredAlgorithms.h"

// The eleven schemes of the catalogue. They differ only in their passes.
namespace dovrel {

#define DOVREL_SHRED_SCHEME(Name)                                       \
    class Name final : public TShredAlgorithm {                         \
    public:                                                             \
        const wchar_t* ClassName() const override { return L"" #Name; } \
        std::span<const TShredPass> Passes() const override;            \
    }

DOVREL_SHRED_SCHEME(TZeroPass);
DOVREL_SHRED_SCHEME(TRandPass);
DOVREL_SHRED_SCHEME(TAntiSoftRecover);
DOVREL_SHRED_SCHEME(TNAVSOMF);
DOVREL_SHRED_SCHEME(TNAVSORL);
DOVREL_SHRED_SCHEME(TVSITR);
DOVREL_SHRED_SCHEME(TGOST);
DOVREL_SHRED_SCHEME(TSchneier);
DOVREL_SHRED_SCHEME(TDOD);
DOVREL_SHRED_SCHEME(TBEYNDDOD);
DOVREL_SHRED_SCHEME(TGUTMANN);

#undef DOVREL_SHRED_SCHEME

}  // namespace dovrel
