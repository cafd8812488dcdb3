#include "wizard/StatusHint.h"

namespace dovrel {

std::wstring GetLongHint(std::wstring_view hint) {
    const auto bar = hint.find(L'|');
    return std::wstring(bar == std::wstring_view::npos ? hint : hint.substr(bar + 1));
}

std::wstring StatusText(std::wstring_view controlHint, std::wstring_view windowHint) {
    return GetLongHint(controlHint.empty() ? windowHint : controlHint);
}

}  // namespace dovrel
