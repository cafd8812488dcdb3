#pragma once

#include <string>

namespace dovrel {

// The calling thread's last system error code (GetLastError on Windows, errno elsewhere).
unsigned LastSystemError();

// The system's text for an error code, without trailing blanks, control characters and
// full stops, so that callers can put it inside sentences of their own.
std::wstring SystemErrorText(unsigned code);

// Trims what SystemErrorText removes; shared by both systems.
std::wstring TrimSystemText(std::wstring text);

}  // namespace dovrel
