#include <cerrno>
#include <cstring>

#include "platform/SystemError.h"
#include "platform/Text.h"

namespace dovrel {

unsigned LastSystemError() {
    return static_cast<unsigned>(errno);
}

std::wstring SystemErrorText(unsigned code) {
    char buffer[256];
    // The GNU strerror_r returns the text, which need not be in the buffer.
    const char* text = strerror_r(static_cast<int>(code), buffer, sizeof buffer);
    return TrimSystemText(FromUtf8(text));
}

}  // namespace dovrel
