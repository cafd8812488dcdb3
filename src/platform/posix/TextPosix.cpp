#include "platform/Text.h"

namespace dovrel {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which decode to the C1 control of the same value as Windows does.
constexpr char16_t kHigh1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Decode1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHigh1252[byte - 0x80] != 0)
        return kHigh1252[byte - 0x80];
    return byte;
}

char Encode1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        const char32_t mapped = kHigh1252[i] != 0 ? kHigh1252[i] : static_cast<char32_t>(0x80 + i);
        if (mapped == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        out.push_back(Encode1252(static_cast<char32_t>(c)));
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.push_back(static_cast<wchar_t>(Decode1252(static_cast<unsigned char>(b))));
    return out;
}

}  // namespace dovrel
