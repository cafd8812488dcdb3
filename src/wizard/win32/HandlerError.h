#pragma once

#include <windows.h>

namespace dovrel {

// Inside a catch block: shows the error that escaped an event handler in a message box, as
// the program's general error handler does, and lets the program go on.
void ShowHandlerError(HWND owner) noexcept;

}  // namespace dovrel
