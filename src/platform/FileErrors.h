#pragma once

#include <string>

#include "platform/Error.h"
#include "platform/SystemError.h"

namespace dovrel {

// The texts both systems raise for files that cannot be opened, created or deleted, with the
// system's reason for `code`.
inline Error OpenFileError(const std::wstring& path, unsigned code) {
    return Error(L"Cannot open file \"" + path + L"\". " + SystemErrorText(code), code);
}

inline Error CreateFileError(const std::wstring& path, unsigned code) {
    return Error(L"Cannot create file \"" + path + L"\". " + SystemErrorText(code), code);
}

inline Error DeleteFileError(const std::wstring& path, unsigned code) {
    return Error(L"Cannot delete file \"" + path + L"\". " + SystemErrorText(code), code);
}

}  // namespace dovrel
