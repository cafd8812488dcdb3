#pragma once

#include <cstdint>
#include <string>

#include "engine/FilesIterationThread.h"

namespace dovrel {

// What one tick of the progress dialog shows, worked out from the run's counters.
struct TProgressTexts {
    std::wstring ElapsedTime;
    std::wstring EstimatedTime;
    int CurrentFilePosition = 0;  // 0..100
    int AllFilesPosition = 0;     // 0..100
    std::wstring Caption;         // the dialog's
    std::wstring MainCaption;     // the main window's and the taskbar's
    std::wstring FileName;
    std::wstring FilesPercent;
};

// "hh:mm:ss" of a time value in days, with `separator` between the fields: the hour of the
// day, so 25 hours read 01.
std::wstring FormatTimeOfDay(double days, const std::wstring& separator);

// done / total in per cent, rounded to the nearest whole number, ties to even.
int RoundedPercent(std::int64_t done, std::int64_t total);

// The tick's texts in the current language; `timeSeparator` is the locale's.
TProgressTexts ProgressTick(const TRunProgress& progress, const std::wstring& timeSeparator);

}  // namespace dovrel
