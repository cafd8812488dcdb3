#pragma once

#include <string>

namespace dovrel {

// A moment of the local clock, to the millisecond.
struct TLocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

TLocalTime CurrentLocalTime();

// What the user's locale puts between hours, minutes and seconds; ":" where the system
// names none.
std::wstring LocaleTimeSeparator();

}  // namespace dovrel
