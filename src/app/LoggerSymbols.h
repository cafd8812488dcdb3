#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ExceptionHooks.h"

namespace dovrel {

// What the symbol information knows of one code address; empty fields are unknown.
struct TSymbolInfo {
    std::wstring unit;  // the routine's source file name without folder and extension
    std::wstring routine;
    std::wstring sourceFile;  // the file name of the line, without folder
    unsigned line = 0;        // 0: unknown
};

// The routines and source lines of one module, from the map the build writes beside it:
//   B <image base>                      the address the module was linked for
//   S <address> <routine>               a routine starts
//   L <address> <line or -> <file>      a line starts; "-" ends a run of lines
// Addresses are hexadecimal; lines that fit none of these are skipped.
class TSymbolMap {
public:
    TSymbolMap() = default;
    explicit TSymbolMap(std::string_view text);

    // `offset` is relative to the module's load address.
    TSymbolInfo Lookup(std::uintptr_t offset) const;

private:
    struct TRoutine {
        std::uintptr_t offset;
        std::wstring name;
    };
    struct TLine {
        std::uintptr_t offset;
        unsigned line;  // 0 where a run of lines ends
        std::size_t file;
    };

    void Add(std::string_view row, std::uintptr_t& imageBase);
    const TLine* LineAt(std::uintptr_t offset) const;

    std::vector<TRoutine> routines_;
    std::vector<TLine> lines_;
    std::vector<std::wstring> files_;
    std::string lastFile_;  // the last file as the map names it
};

// The symbols of a code address found on the stack. The map of its module is read from
// the module's file name followed by ".map", once per module; a module without one knows
// no symbols. As the address is where a call returns to, the call itself is looked up.
TSymbolInfo LookupStackSymbol(const TCodeAddress& at);

}  // namespace dovrel
