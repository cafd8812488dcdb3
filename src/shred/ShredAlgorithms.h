#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/OperationEvents.h"
#include "shred/CharGenerators.h"

namespace dovrel {

// What one pass of a scheme writes.
enum class TPassKind : std::uint8_t {
    Pattern,     // a fixed pattern repeated from the file's first byte
    Random,      // a fresh random byte at every position
    RandomChar,  // one random byte, drawn per file, repeated
    Invert,      // the complement of the byte the previous pass left
};

struct TShredPass {
    TPassKind kind;
    std::uint8_t length = 0;  // bytes of `pattern` in use, for Pattern passes
    std::array<std::uint8_t, 4> pattern{};
};

// A shredding scheme: a fixed list of passes over a file, which is then deleted.
class TShredAlgorithm {
public:
    TShredAlgorithm() = default;
    virtual ~TShredAlgorithm() = default;
    TShredAlgorithm(const TShredAlgorithm&) = delete;
    TShredAlgorithm& operator=(const TShredAlgorithm&) = delete;

    // Overwrites the file with the scheme's passes, pass 1 first, each flushed to the device,
    // and deletes it. A cancelled file stays, overwritten as far as the passes got; an empty
    // file is kept. File errors are raised: "Cannot open file "%s". %s" (nothing is written),
    // "Stream read error" and "Stream write error" (the file stays, partly overwritten).
    virtual void ShredFile(const std::wstring& path, const TOperationEvents& events);

    // The class name, which is also the key of the scheme's description.
    virtual const wchar_t* ClassName() const = 0;
    virtual std::span<const TShredPass> Passes() const = 0;

    std::size_t PassCount() const { return Passes().size(); }
    // The generators for one file, in pass order. The single-value random passes draw their
    // bytes here, in pass order, before any byte is written; the others draw while writing.
    TGeneratorList CreateGenerators() const;
};

// The catalogue: one scheme of each class in the order of the settings page's list, from
// start-up to shut-down.
inline constexpr std::size_t kShredSchemeCount = 11;

// Creates the schemes and opens the description file of the language in the options
// (program folder + "shreds" + LanguageID + ".ini"; it is read only when asked).
void BuildShredCatalogue();
void ReleaseShredCatalogue();
const std::vector<std::unique_ptr<TShredAlgorithm>>& ShredCatalogue();
// The list text of scheme `index` ("Quick shred by filling with zero's" ...).
const wchar_t* ShredListText(std::size_t index);
// The scheme's text in section "Algos" of the description file, read anew at every call;
// empty when the file, the section or the key is missing.
std::wstring GetShredDescription(const TShredAlgorithm& scheme);

}  // namespace dovrel
