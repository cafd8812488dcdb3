#include "ProgressTexts.h"

#include <cmath>
#include <cwchar>

#include "app/LangManager.h"
#include "app/MessageFormat.h"
#include "app/StartUp.h"

namespace dovrel {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86400000;

std::wstring TwoDigits(std::int64_t value) {
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d", static_cast<int>(value));
    return text;
}

}  // namespace

std::wstring FormatTimeOfDay(double days, const std::wstring& separator) {
    // Whole milliseconds first, as a time value is decoded; the seconds are then cut.
    const double fraction = days - std::floor(days);
    const std::int64_t milliseconds =
        std::llround(fraction * static_cast<double>(kMillisecondsPerDay)) % kMillisecondsPerDay;
    const std::int64_t seconds = milliseconds / 1000;
    return TwoDigits(seconds / 3600) + separator + TwoDigits(seconds / 60 % 60) + separator +
           TwoDigits(seconds % 60);
}

int RoundedPercent(std::int64_t done, std::int64_t total) {
    // nearbyint rounds ties to even in the default rounding mode.
    return static_cast<int>(
        std::nearbyint(static_cast<double>(done) / static_cast<double>(total) * 100.0));
}

TProgressTexts ProgressTick(const TRunProgress& progress, const std::wstring& timeSeparator) {
    TProgressTexts texts;
    texts.ElapsedTime = FormatTimeOfDay(progress.Elapsed, timeSeparator);
    texts.EstimatedTime = FormatTimeOfDay(progress.Remaining, timeSeparator);
    texts.CurrentFilePosition = RoundedPercent(progress.ItemDone, progress.ItemTotal);
    texts.AllFilesPosition = RoundedPercent(progress.BytesDone, progress.TotalBytes);
    texts.Caption = FormatMessageText(LookupMessage(L"Percent_completed"), texts.AllFilesPosition);
    texts.MainCaption = std::wstring(kApplicationName) + L" - " + texts.Caption;
    texts.FileName = progress.CurrentItem;
    texts.FilesPercent =
        FormatMessageText(LookupMessage(L"Percent"), progress.CurrentIndex, progress.ItemCount);
    return texts;
}

}  // namespace dovrel
