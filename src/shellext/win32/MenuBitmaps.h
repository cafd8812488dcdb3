#pragma once

#include <windows.h>

namespace dovrel::shellext {

// The picture of the command with `imageIndex` (0 to 3): the library's bitmap resource
// 101 + index, 15 x 15 pixels of 24 bits, loaded on first use and kept until the library
// is unloaded. None for another index or when the resource cannot be loaded.
HBITMAP MenuBitmap(int imageIndex) noexcept;

}  // namespace dovrel::shellext
