#include "platform/SystemError.h"

namespace dovrel {

std::wstring TrimSystemText(std::wstring text) {
    while (!text.empty()) {
        const wchar_t c = text.back();
        if (c > L' ' && c != L'.')
            break;
        text.pop_back();
    }
    return text;
}

}  // namespace dovrel
