#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/KeyedTexts.h"

namespace dovrel {

// The texts the program shows, by key: an English text compiled in for every key and the
// text of the language in force.
class TMessageCatalogue {
public:
    // Holds the compiled-in English texts, which are also current.
    TMessageCatalogue();

    // The current text of `key`; raises "Constant "key" not found".
    const std::wstring& Lookup(std::wstring_view key) const;

    // Every entry takes the text of its key from `texts`, or its English text when
    // `texts` lacks the key or is null.
    void UseTexts(const TKeyedTexts* texts);

    // The compiled-in English texts, sorted by key.
    const TKeyedTexts& Defaults() const noexcept { return defaults_; }

private:
    TKeyedTexts defaults_;
    std::vector<std::wstring> current_;  // parallel to defaults_.Entries()
};

}  // namespace dovrel
