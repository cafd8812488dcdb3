#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/LocalTime.h"

namespace dovrel {
namespace {

TEST(LocalTime, AgreesWithTheLocalClockOfTheCLibrary) {
    const std::time_t before = std::time(nullptr);
    const TLocalTime now = CurrentLocalTime();
    const std::time_t after = std::time(nullptr);
    std::tm fields{};
    fields.tm_year = now.year - 1900;
    fields.tm_mon = now.month - 1;
    fields.tm_mday = now.day;
    fields.tm_hour = now.hour;
    fields.tm_min = now.minute;
    fields.tm_sec = now.second;
    fields.tm_isdst = -1;
    const std::time_t seen = std::mktime(&fields);
    EXPECT_GE(seen, before - 1);
    EXPECT_LE(seen, after + 1);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}

TEST(LocalTime, TimeSeparatorIsShortAndNoDigit) {
    const std::wstring separator = LocaleTimeSeparator();
    ASSERT_FALSE(separator.empty());
    EXPECT_LE(separator.size(), 3u);
    EXPECT_EQ(separator.find_first_of(L"0123456789"), std::wstring::npos);
}

}  // namespace
}  // namespace dovrel
