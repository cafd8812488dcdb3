#pragma once

#include <string>

namespace dovrel::cli {

// The help of `command`, or of the program when it is empty.
const char* HelpText(const std::wstring& command);

}  // namespace dovrel::cli
