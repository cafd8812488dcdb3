#include "ProgressLine.h"

#include <cmath>
#include <cstdio>

namespace dovrel::cli {

namespace {

constexpr double kSecondsPerDay = 86400.0;

int Percent(const TRunProgress& p) {
    if (p.TotalBytes <= 0)
        return 0;
    const double share = static_cast<double>(p.BytesDone) / static_cast<double>(p.TotalBytes);
    return static_cast<int>(std::lround(std::fmin(std::fmax(share, 0.0), 1.0) * 100));
}

}  // namespace

std::wstring FormatDuration(double days) {
    const double seconds = std::fmax(0.0, std::round(days * kSecondsPerDay));
    const auto total = static_cast<long long>(std::fmin(seconds, 359999.0));  // 99:59:59
    wchar_t text[16];
    std::swprintf(text, 16, L"%02lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

std::wstring FormatProgressLine(const TRunProgress& p, std::size_t width) {
    wchar_t head[96];
    std::swprintf(head, 96, L"%3d%%  %ls elapsed  %ls left  %d/%lld  ", Percent(p),
                  FormatDuration(p.Elapsed).c_str(), FormatDuration(p.Remaining).c_str(),
                  static_cast<int>(p.CurrentIndex), static_cast<long long>(p.ItemCount));
    std::wstring line = head;
    if (line.size() >= width)
        return line.substr(0, width);
    const std::size_t room = width - line.size();
    if (p.CurrentItem.size() <= room)
        return line + p.CurrentItem;
    if (room <= 3)
        return line;
    return line + L"..." + p.CurrentItem.substr(p.CurrentItem.size() - (room - 3));
}

}  // namespace dovrel::cli
