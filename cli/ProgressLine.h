#pragma once

#include <string>

#include "engine/FilesIterationThread.h"

namespace dovrel::cli {

// "hh:mm:ss" of a time span in days; hours run past 24 rather than wrap.
std::wstring FormatDuration(double days);

// One status line of at most `width` characters: overall percentage by bytes, elapsed and
// estimated time, item number and the current file, shortened from the left to fit.
std::wstring FormatProgressLine(const TRunProgress& progress, std::size_t width);

}  // namespace dovrel::cli
