#include "platform/Text.h"

namespace dovrel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code points of a wide text, whatever the width of wchar_t.
template <typename F>
void ForEachCodePoint(std::wstring_view text, F&& emit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const char32_t low = static_cast<char16_t>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (c >= 0xD800 && c <= 0xDFFF)
                c = kReplacement;
        } else if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kReplacement;
        }
        emit(c);
    }
}

void AppendWide(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(c));
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](char32_t c) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    });
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, minimum = 0x10000;
        } else {
            AppendWide(out, kReplacement);
            ++i;
            continue;
        }
        std::size_t k = 1;
        for (; k <= extra && i + k < bytes.size(); ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        if (k != extra + 1 || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            AppendWide(out, kReplacement);
            i += k;
            continue;
        }
        AppendWide(out, c);
        i += k;
    }
    return out;
}

std::u16string ToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    if constexpr (sizeof(wchar_t) == 2) {
        for (wchar_t c : text)
            out.push_back(static_cast<char16_t>(c));
    } else {
        ForEachCodePoint(text, [&](char32_t c) {
            if (c >= 0x10000) {
                c -= 0x10000;
                out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
            } else {
                out.push_back(static_cast<char16_t>(c));
            }
        });
    }
    return out;
}

std::wstring FromUtf16(std::u16string_view units) {
    std::wstring out;
    out.reserve(units.size());
    if constexpr (sizeof(wchar_t) == 2) {
        for (char16_t c : units)
            out.push_back(static_cast<wchar_t>(c));
    } else {
        for (std::size_t i = 0; i < units.size(); ++i) {
            char32_t c = units[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = kReplacement;
            }
            out.push_back(static_cast<wchar_t>(c));
        }
    }
    return out;
}

}  // namespace dovrel
