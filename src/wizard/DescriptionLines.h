#pragma once

#include <string>
#include <string_view>
#include <vector>

// The operation descriptions of the main page are wrapped by a character count, not by
// measured widths: the list's width in widths of "a", less a margin of four.
namespace dovrel {

// Characters per description line; set once when the main window is created.
int DescriptionWrapWidth() noexcept;
void SetDescriptionWrapWidth(int width) noexcept;
// The list's width in pixels divided by the pixel width of "a" in its font, minus 4;
// 0 when the font reports no width.
int ComputeDescriptionWrapWidth(int listWidth, int letterWidth) noexcept;

// Where the first line of `text` ends for `width` characters: the last space or "\" at or
// before position `width` (1-based; it stays on the line), else the whole text. A text
// shorter than `width`, an empty one or a width below 1 is not cut.
std::size_t FindWrapPosition(std::wstring_view text, int width) noexcept;

// The lines of `text`, each cut off the front of what remains at FindWrapPosition.
std::vector<std::wstring> DescriptionLines(std::wstring_view text, int width);

}  // namespace dovrel
