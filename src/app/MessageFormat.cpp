#include "app/MessageFormat.h"

namespace dovrel {

namespace {

std::wstring Shown(const TFormatArg& arg) {
    if (const auto* number = std::get_if<std::int64_t>(&arg))
        return std::to_wstring(*number);
    return std::get<std::wstring>(arg);
}

}  // namespace

std::wstring FormatMessageText(std::wstring_view pattern, std::span<const TFormatArg> args) {
    std::wstring out;
    out.reserve(pattern.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        const wchar_t kind = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        if (c != L'%' || (kind != L'%' && kind != L'd' && kind != L's')) {
            out.push_back(c);
            continue;
        }
        ++i;
        if (kind == L'%')
            out.push_back(L'%');
        else if (next < args.size())
            out += Shown(args[next++]);
        else
            out.append({L'%', kind});
    }
    return out;
}

}  // namespace dovrel
