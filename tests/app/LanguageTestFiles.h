#pragma once

#include <string>
#include <string_view>

#include "platform/Error.h"
#include "platform/File.h"

namespace dovrel::test {

inline void WriteBytes(const std::wstring& path, std::string_view bytes) {
    TFileStream file(path, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
}

// The message of the Error `action` raises.
template <typename F>
std::wstring ErrorOf(F&& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.Message();
    }
    return L"(no error)";
}

}  // namespace dovrel::test
