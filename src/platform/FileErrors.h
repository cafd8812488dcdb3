#pragma once

#include <string>

#include "platform/Error.h"

namespace dovrel {

// The texts both systems raise for files that cannot be opened or created.
inline Error OpenFileError(const std::wstring& path, const std::wstring& reason) {
    return Error(L"Cannot open file \"" + path + L"\". " + reason);
}

inline Error CreateFileError(const std::wstring& path, const std::wstring& reason) {
    return Error(L"Cannot create file \"" + path + L"\". " + reason);
}

}  // namespace dovrel
