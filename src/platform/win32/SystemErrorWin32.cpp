#include <windows.h>

#include "platform/SystemError.h"

namespace dovrel {

unsigned LastSystemError() {
    return GetLastError();
}

std::wstring SystemErrorText(unsigned code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    return TrimSystemText(std::move(text));
}

}  // namespace dovrel
