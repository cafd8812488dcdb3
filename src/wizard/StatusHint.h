#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// The long part of a hint: the text after its first "|", or the whole text when it has none.
std::wstring GetLongHint(std::wstring_view hint);

// What the status bar shows when the application's hint changes: the long part of the hint
// of the control under the pointer, or, when that is empty, of the main window's own hint,
// which holds the open path's step text.
std::wstring StatusText(std::wstring_view controlHint, std::wstring_view windowHint);

}  // namespace dovrel
