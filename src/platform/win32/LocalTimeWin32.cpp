#include <windows.h>

#include "platform/LocalTime.h"

namespace dovrel {

TLocalTime CurrentLocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

std::wstring LocaleTimeSeparator() {
    // The locale allows at most three characters and the terminating zero.
    wchar_t separator[8] = {};
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, 8);
    return n > 1 ? std::wstring(separator, n - 1) : std::wstring(L":");
}

}  // namespace dovrel
