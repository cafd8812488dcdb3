#include "wizard/DescriptionLines.h"

#include <atomic>

namespace dovrel {

namespace {

std::atomic<int> wrapWidth{0};

// Margin, in characters, between the text and the list's right edge.
constexpr int kWrapMargin = 4;

}  // namespace

int DescriptionWrapWidth() noexcept {
    return wrapWidth;
}

void SetDescriptionWrapWidth(int width) noexcept {
    wrapWidth = width;
}

int ComputeDescriptionWrapWidth(int listWidth, int letterWidth) noexcept {
    if (letterWidth <= 0)
        return 0;
    return listWidth / letterWidth - kWrapMargin;
}

std::size_t FindWrapPosition(std::wstring_view text, int width) noexcept {
    const std::size_t n = text.size();
    if (n == 0 || width < 1 || n < static_cast<std::size_t>(width))
        return n;
    for (auto position = static_cast<std::size_t>(width); position >= 1; --position) {
        const wchar_t c = text[position - 1];
        if (c == L' ' || c == L'\\')
            return position;
    }
    return n;
}

std::vector<std::wstring> DescriptionLines(std::wstring_view text, int width) {
    if (width >= 1 && text.size() < static_cast<std::size_t>(width))
        return {std::wstring(text)};
    std::vector<std::wstring> lines;
    while (!text.empty()) {
        const std::size_t cut = FindWrapPosition(text, width);
        lines.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    return lines;
}

}  // namespace dovrel
