#include <windows.h>

#include "platform/Text.h"

namespace dovrel {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out.data(), size);
    return out;
}

}  // namespace dovrel
